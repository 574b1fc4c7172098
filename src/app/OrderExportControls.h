#pragma once

#include "PaneRunLog.h"
#include "orders/OrderExportWindow.h"

namespace norvan::app {

// The controls an order export writes to: the log pane (mLogs) and the order file's text (mFac).
class OrderExportControls : public PaneRunLog<orders::OrderExportWindow> {
  public:
    OrderExportControls(TextPaneView& log, TextPaneView& fac, RunRecord& record)
        : PaneRunLog(log, record), fac_(fac) {}

    void setFacText(const QString& text) override { fac_.setText(text); }

  private:
    TextPaneView& fac_;
};

}  // namespace norvan::app
