// The products page: the product file from the accounting program and the product run.
#include "ListItems.h"
#include "ProductRunControls.h"
#include "TfMain.h"
#include "products/ProductFile.h"
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
    lstProdTextFile->clear();
    productRunNotes_.clear();
    common::TextPane loaded = mProdFiles->pane();
    // The pane shows what the read left in it, also when the read failed (then it is empty).
    const auto show = qScopeGuard([&] { mProdFiles->setText(loaded.text()); });
    settings::KeptProductLines kept(openSettingsDatabase().connection());
    // Blank lines of a file carry nothing and are left out of the record, as out of the list.
    const auto keep = [&](const QStringList& lines) {
        products::keepProductLines(kept, lines);
        record.recordLines(*mProdFiles, lines);
    };
    const products::ProductIntake intake =
        products::takeProductFiles(appPath_, loaded, keep, environment_.clock);
    lstProdTextFile->addItems(intake.lines);
    if (!intake.fileLeft.isEmpty())
        productRunNotes_.append(
            QStringLiteral("---Product file still being written, left for the next run: ") +
            intake.fileLeft);
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
    ProductRunControls window(*mLogs, *statusPanels_.at(1), *vleProdValue, record);
    settings::KeptProductLines kept(openSettingsDatabase().connection());
    products::ProductRun run({.connection = shopConnection(),
                              .productRes = edtProductRes->text(),
                              .addProducts = chbProdAdd->isChecked(),
                              .batches = chbBatch->isChecked()},
                             window, kept, environment_.pause);
    const auto tally = qScopeGuard([&] { counts = run.counts(); });  // also when an error ends it
    run.run(listItems(*lstProdTextFile), std::exchange(productRunNotes_, {}));
}

}  // namespace norvan::app
