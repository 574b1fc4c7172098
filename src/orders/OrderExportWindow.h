#pragma once

#include "common/RunLog.h"

#include <QString>

namespace norvan::orders {

// What the order export writes to the main window besides its run log (mLogs): the order file's
// text.
class OrderExportWindow : public common::RunLog {
  public:
    virtual void setFacText(const QString& text) = 0;  // mFac: its whole text
};

}  // namespace norvan::orders
