#include "ProductRunControls.h"

#include "NameValueGrid.h"
#include "RunStatusPanel.h"
#include "StatusPanel.h"

namespace norvan::app {

ProductRunControls::ProductRunControls(TextPaneView& log, StatusPanel& statusPanel,
                                       RunStatusPanel& runStatus, NameValueGrid& rows,
                                       RunRecord& record)
    : PaneRunLog(log, record),
      statusPanel_(statusPanel),
      runStatus_(runStatus),
      rows_(rows),
      unattended_(record.unattended()) {}

void ProductRunControls::setStatusText(const QString& text) {
    statusPanel_.setText(text);
}

void ProductRunControls::setProductRows(const common::NameValueList& rows) {
    rows_.setList(rows);
}

void ProductRunControls::setProgress(qsizetype done, qsizetype total) {
    runStatus_.showProgress(done, total);
}

bool ProductRunControls::unattendedRunUnderWay() const {
    return unattended_;
}

}  // namespace norvan::app
