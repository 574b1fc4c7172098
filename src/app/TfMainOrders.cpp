// The orders page: reading one order, mapping its fields, exporting it to the accounting
// program.
#include "ListItems.h"
#include "OrderExportControls.h"
#include "TfMain.h"
#include "orders/FieldMapping.h"
#include "orders/OrderExport.h"
#include "settings/MappingLists.h"
#include "settings/OrderJournal.h"
#include "settings/SettingsDatabase.h"

#include <QLineEdit>
#include <QListWidget>
#include <QScopeGuard>

namespace norvan::app {

namespace {

// Appends the field selected in `fields` to `mapped` unless it is there already (letter case
// disregarded).
void mapSelectedField(const QListWidget& fields, QListWidget& mapped) {
    const std::optional<QString> field = selectedText(fields);
    if (!field) return;
    QStringList entries = listItems(mapped);
    if (orders::mapField(entries, *field)) mapped.addItem(*field);
}

void unmapSelectedField(QListWidget& mapped) {
    const int row = selectedRow(mapped);
    if (row >= 0) delete mapped.takeItem(row);
}

}  // namespace

void TfMain::btnextractOrdersClick() {
    const std::optional<QString> orderId = selectedText(*lstOrder);
    if (!orderId) return;
    // A fault part way leaves the rows and fields read up to it; they are shown all the same.
    const auto show = qScopeGuard([this] { showExtractedOrder(); });
    orders::extractOrder(shopConnection(), edtOrderRes->text(), *orderId, edtTitleWebItem->text(),
                         extractedOrder_);
}

void TfMain::showExtractedOrder() {
    vleOrderValue->setList(extractedOrder_.rows);
    lstOrderHField->clear();
    lstOrderHField->addItems(extractedOrder_.headerFields);
    lstOrderItemField->clear();
    lstOrderItemField->addItems(extractedOrder_.itemFields);
    // The count changes only with an extraction that completed.
    if (extractedOrder_.itemCount)
        edtCountItem->setText(QString::number(*extractedOrder_.itemCount));
}

void TfMain::lstOrderHFieldDblClick() {
    mapSelectedField(*lstOrderHField, *lstHeadToDexar);
}

void TfMain::lstOrderItemFieldDblClick() {
    mapSelectedField(*lstOrderItemField, *lstItemToDexar);
}

void TfMain::lstHeadToDexarDblClick() {
    unmapSelectedField(*lstHeadToDexar);
}

void TfMain::lstItemToDexarDblClick() {
    unmapSelectedField(*lstItemToDexar);
}

void TfMain::Button8Click() {
    const bool stored = openSettingsDatabase().saveOrderMapping(
        settings::orderMappingText(listItems(*lstHeadToDexar)),
        settings::orderMappingText(listItems(*lstItemToDexar)));
    if (stored) showMessage(QStringLiteral("Saved!"));
}

void TfMain::btnToDexarAndChangeOrdersClick() {
    recordRun(RunKind::Orders, RunMode::ByHand, &TfMain::exportExtractedOrder);
}

void TfMain::exportExtractedOrder(RunRecord& record, OrderRunCounts& counts) {
    const orders::OrderFileSource source{.rows = extractedOrder_.rows,
                                         .headFields = listItems(*lstHeadToDexar),
                                         .itemFields = listItems(*lstItemToDexar),
                                         .itemTitle = edtTitleWebItem->text(),
                                         .itemCountText = edtCountItem->text()};
    const orders::StatusChange change{.connection = shopConnection(),
                                      .orderRes = edtOrderRes->text(),
                                      .orderId = extractedOrder_.orderId,
                                      .statusAz = edtStatusAz->text(),
                                      .statusTo = edtStatusTo->text()};
    OrderExportControls window(*mLogs, *mFac, record);
    try {
        settings::OrderJournal journal(openSettingsDatabase());
        counts.add(
            orders::exportOrder(source, change, appPath_, environment_.clock, journal, window));
    } catch (...) {
        ++counts.failed;
        throw;
    }
}

}  // namespace norvan::app
