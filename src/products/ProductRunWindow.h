#pragma once

#include "common/NameValueList.h"

#include <QString>

namespace norvan::products {

// What the product run reads and writes of the main window; TfMain implements it over its
// controls, tests and benchmarks with plain fields.
class ProductRunWindow {
  public:
    virtual ~ProductRunWindow() = default;

    virtual void clearLog() = 0;                                         // mLogs
    virtual void appendLog(const QString& line) = 0;                     // mLogs
    virtual void setStatusText(const QString& text) = 0;                 // StatusBar1, panel 1
    virtual void setProductRows(const common::NameValueList& rows) = 0;  // vleProdValue
    virtual void processEvents() = 0;  // lets the window repaint and queued work run
    virtual void setBusyPointer() = 0;
    virtual void setDefaultPointer() = 0;
    virtual bool threadPutBusy() const = 0;  // ThreadPutBusy: an unattended run is under way
};

}  // namespace norvan::products
