#pragma once

#include "PaneRunLog.h"
#include "products/ProductRunWindow.h"

namespace norvan::automation {
class UnattendedCycle;
}

namespace norvan::app {

class NameValueGrid;
class StatusPanel;

// The controls a product run writes to: the log pane (mLogs), the status bar's product panel,
// the product rows (vleProdValue); and the cycle, which says whether the run is unattended.
class ProductRunControls : public PaneRunLog<products::ProductRunWindow> {
  public:
    ProductRunControls(TextPaneView& log, StatusPanel& statusPanel, NameValueGrid& rows,
                       const automation::UnattendedCycle& cycle, RunRecord& record);

    void setStatusText(const QString& text) override;
    void setProductRows(const common::NameValueList& rows) override;
    bool unattendedRunUnderWay() const override;

  private:
    StatusPanel& statusPanel_;
    NameValueGrid& rows_;
    const automation::UnattendedCycle& cycle_;
};

}  // namespace norvan::app
