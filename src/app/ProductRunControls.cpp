#include "ProductRunControls.h"

#include "NameValueGrid.h"
#include "StatusPanel.h"
#include "automation/UnattendedCycle.h"

namespace norvan::app {

ProductRunControls::ProductRunControls(TextPaneView& log, StatusPanel& statusPanel,
                                       NameValueGrid& rows,
                                       const automation::UnattendedCycle& cycle, RunRecord& record)
    : PaneRunLog(log, record), statusPanel_(statusPanel), rows_(rows), cycle_(cycle) {}

void ProductRunControls::setStatusText(const QString& text) {
    statusPanel_.setText(text);
}

void ProductRunControls::setProductRows(const common::NameValueList& rows) {
    rows_.setList(rows);
}

bool ProductRunControls::unattendedRunUnderWay() const {
    return cycle_.productRunBusy();
}

}  // namespace norvan::app
