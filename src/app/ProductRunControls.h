#pragma once

#include "PaneRunLog.h"
#include "products/ProductRunWindow.h"

namespace norvan::app {

class NameValueGrid;
class RunStatusPanel;
class StatusPanel;

// The controls a product run writes to: the log pane (mLogs), the status bar's product panel and
// run panel, the product rows (vleProdValue); the run's record says whether the cycle handed it
// over.
class ProductRunControls : public PaneRunLog<products::ProductRunWindow> {
  public:
    ProductRunControls(TextPaneView& log, StatusPanel& statusPanel, RunStatusPanel& runStatus,
                       NameValueGrid& rows, RunRecord& record);

    void setStatusText(const QString& text) override;
    void setProductRows(const common::NameValueList& rows) override;
    void setProgress(qsizetype done, qsizetype total) override;
    bool unattendedRunUnderWay() const override;

  private:
    StatusPanel& statusPanel_;
    RunStatusPanel& runStatus_;
    NameValueGrid& rows_;
    bool unattended_;
};

}  // namespace norvan::app
