#pragma once

#include "PaneRunLog.h"
#include "products/ProductRunWindow.h"

class QLabel;

namespace norvan::automation {
class UnattendedCycle;
}

namespace norvan::app {

class NameValueGrid;

// The controls a product run writes to: the log pane (mLogs), the status bar's product panel,
// the product rows (vleProdValue); and the cycle, which says whether the run is unattended.
class ProductRunControls : public PaneRunLog<products::ProductRunWindow> {
  public:
    ProductRunControls(TextPaneView& log, QLabel& statusPanel, NameValueGrid& rows,
                       const automation::UnattendedCycle& cycle, RunRecord& record);

    void setStatusText(const QString& text) override;
    void setProductRows(const common::NameValueList& rows) override;
    bool unattendedRunUnderWay() const override;

  private:
    QLabel& statusPanel_;
    NameValueGrid& rows_;
    const automation::UnattendedCycle& cycle_;
};

}  // namespace norvan::app
