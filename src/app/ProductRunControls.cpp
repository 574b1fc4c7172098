#include "ProductRunControls.h"

#include "NameValueGrid.h"
#include "StatusPanel.h"

namespace norvan::app {

ProductRunControls::ProductRunControls(TextPaneView& log, StatusPanel& statusPanel,
                                       NameValueGrid& rows, RunRecord& record)
    : PaneRunLog(log, record),
      statusPanel_(statusPanel),
      rows_(rows),
      unattended_(record.unattended()) {}

void ProductRunControls::setStatusText(const QString& text) {
    statusPanel_.setText(text);
}

void ProductRunControls::setProductRows(const common::NameValueList& rows) {
    rows_.setList(rows);
}

bool ProductRunControls::unattendedRunUnderWay() const {
    return unattended_;
}

}  // namespace norvan::app
