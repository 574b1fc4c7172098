// The products page: the product file from the accounting program and the product run.
#include "ListItems.h"
#include "ProductRunControls.h"
#include "TfMain.h"
#include "automation/UnattendedCycle.h"
#include "products/ProductFile.h"
#include "products/ProductRows.h"
#include "products/ProductRun.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QScopeGuard>

namespace norvan::app {

void TfMain::btnGetProductsClick() {
    lstProdTextFile->clear();
    common::TextPane loaded = mProdFiles->pane();
    // The pane shows what the read left in it, also when the read failed (then it is empty).
    const auto show = qScopeGuard([&] { mProdFiles->setText(loaded.text()); });
    lstProdTextFile->addItems(products::takeLastProductFile(appPath_, loaded));
}

void TfMain::bLoadProdClick() {
    common::NameValueList rows;
    // A short line leaves the rows added before its fault; they are shown all the same.
    const auto show = qScopeGuard([&] { vleProdValue->setList(std::move(rows)); });
    products::loadSelectedLine(selectedText(*lstProdTextFile), rows);
}

void TfMain::btnUpdateProductClick() {
    ProductRunControls window(*mLogs, *statusPanels_.at(1), *vleProdValue, *cycle_);
    products::ProductRun run({.connection = shopConnection(),
                              .productRes = edtProductRes->text(),
                              .addProducts = chbProdAdd->isChecked()},
                             window);
    run.run(listItems(*lstProdTextFile));
}

}  // namespace norvan::app
