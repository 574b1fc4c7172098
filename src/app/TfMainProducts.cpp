// The products page: the product file from the accounting program and the product run.
#include "BusyPointer.h"
#include "ListItems.h"
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
    lstProdTextFile->addItems(products::takeLastProductFile(AppPath, loaded));
}

void TfMain::bLoadProdClick() {
    common::NameValueList rows;
    // A short line leaves the rows added before its fault; they are shown all the same.
    const auto show = qScopeGuard([&] { vleProdValue->setList(std::move(rows)); });
    products::loadSelectedLine(selectedText(*lstProdTextFile), rows);
}

void TfMain::btnUpdateProductClick() {
    products::ProductRun run({.url = edtEComURL->text(),
                              .user = edtUser->text(),
                              .password = edtPassword->text(),
                              .oauth1 = chbConKey->isChecked(),
                              .productRes = edtProductRes->text(),
                              .addProducts = chbProdAdd->isChecked()},
                             *this);
    run.run(listItems(*lstProdTextFile));
}

void TfMain::clearLog() {
    mLogs->clear();
}

void TfMain::setStatusText(const QString& text) {
    setStatusPanelText(1, text);
}

void TfMain::setProductRows(const common::NameValueList& rows) {
    vleProdValue->setList(rows);
}

void TfMain::setBusyPointer() {
    app::setBusyPointer();
}

void TfMain::setDefaultPointer() {
    app::setDefaultPointer();
}

bool TfMain::threadPutBusy() const {
    return cycle_->ThreadPutBusy;
}

}  // namespace norvan::app
