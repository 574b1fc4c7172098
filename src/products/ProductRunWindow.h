#pragma once

#include "common/NameValueList.h"
#include "common/RunLog.h"

#include <QString>

namespace norvan::products {

// What the product run reads and writes of the main window besides its run log (mLogs).
class ProductRunWindow : public common::RunLog {
  public:
    virtual void setStatusText(const QString& text) = 0;                 // StatusBar1, panel 1
    virtual void setProductRows(const common::NameValueList& rows) = 0;  // vleProdValue
    // The lines the run is done with, out of all its lines (the kept ones included).
    virtual void setProgress(qsizetype done, qsizetype total) = 0;
    // An unattended product run is under way: the cycle that started it owns the pointer.
    virtual bool unattendedRunUnderWay() const = 0;
};

}  // namespace norvan::products
