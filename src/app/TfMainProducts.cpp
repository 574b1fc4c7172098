// The products page: the product file from the accounting program and the product run.
#include "ListItems.h"
#include "PendingEvents.h"
#include "ProductIntakeControls.h"
#include "ProductRunControls.h"
#include "TfMain.h"
#include "products/ProductRows.h"
#include "products/ProductRun.h"
#include "settings/KeptProductLines.h"
#include "settings/SettingsDatabase.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QScopeGuard>
#include <utility>

namespace norvan::app {

void TfMain::btnGetProductsClick() {
    recordRun(RunKind::Products, RunMode::ByHand, &TfMain::takeProducts);
}

// Taking the files sends nothing: the product run counts what its sending does.
void TfMain::takeProducts(RunRecord& record, products::ProductRunCounts& /*counts*/) {
    settings::KeptProductLines kept(openSettingsDatabase().connection());
    ProductIntakeControls intake(*lstProdTextFile, *mProdFiles, record, kept, appPath_,
                                 environment_.pause, productRunNotes_);
    // Between two steps the window and an order run go on.
    while (intake.takeLines(productRunNotes_)) processPendingEvents();
}

void TfMain::bLoadProdClick() {
    common::NameValueList rows;
    // A short line leaves the rows added before its fault; they are shown all the same.
    const auto show = qScopeGuard([&] { vleProdValue->setList(std::move(rows)); });
    products::loadSelectedLine(selectedText(*lstProdTextFile), rows);
}

void TfMain::btnUpdateProductClick() {
    recordRun(RunKind::Products, RunMode::ByHand, &TfMain::sendProducts);
}

void TfMain::sendProducts(RunRecord& record, products::ProductRunCounts& counts) {
    settings::KeptProductLines kept(openSettingsDatabase().connection());
    sendKeptProducts(record, counts, kept, {});
}

void TfMain::sendKeptProducts(RunRecord& record, products::ProductRunCounts& counts,
                              settings::KeptProductLines& kept,
                              const products::TakeMoreLines& takeMore) {
    ProductRunControls window(*mLogs, *statusPanels_.at(1), *runStatus_, *vleProdValue, record);
    products::ProductRun run({.connection = shopConnection(),
                              .productRes = edtProductRes->text(),
                              .addProducts = chbProdAdd->isChecked(),
                              .batches = chbBatch->isChecked()},
                             window, kept, environment_.pause);
    const auto tally = qScopeGuard([&] { counts = run.counts(); });  // also when an error ends it
    run.run(listItems(*lstProdTextFile), std::exchange(productRunNotes_, {}), takeMore);
}

}  // namespace norvan::app
