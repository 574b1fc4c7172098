// The connection check and the order list: both ask the shop for a list of ids.
#include "ListCheckWindow.h"
#include "TfMain.h"

#include <QCheckBox>
#include <QLineEdit>

namespace norvan::app {

shop::ShopConnection TfMain::shopConnection() const {
    return {.baseUrl = edtEComURL->text(),
            .user = edtUser->text(),
            .password = edtPassword->text(),
            .oauth1 = chbConKey->isChecked()};
}

shop::CheckOutcome TfMain::CheckWooCommerce(shop::CheckKind kind, QListWidget& list,
                                            TextPaneView& log, RunRecord& record,
                                            shop::CheckLog logState) {
    const shop::CheckInputs inputs{.connection = shopConnection(),
                                   .productRes = edtProductRes->text(),
                                   .orderRes = edtOrderRes->text(),
                                   .statusAz = edtStatusAz->text()};
    ListCheckWindow window(list, log, *edtToken, record);
    return shop::CheckWooCommerce(kind, inputs, window, logState);
}

void TfMain::Button2Click() {
    recordRun(RunKind::Check, RunMode::ByHand, &TfMain::checkProducts);
}

void TfMain::checkProducts(RunRecord& record, shop::CheckOutcome& outcome) {
    outcome = CheckWooCommerce(shop::CheckKind::Products, *lstWooProduct, *mCheckLog, record);
}

void TfMain::btnGetOrdersClick() {
    recordRun(RunKind::Orders, RunMode::ByHand, &TfMain::listOrders);
}

void TfMain::listOrders(RunRecord& record, OrderRunCounts& counts) {
    listOrderPage(record, counts, shop::CheckLog::Fresh);
}

// Listing exports nothing: the order run counts the orders its later steps hand over, and
// whether a listing failed.
void TfMain::listOrderPage(RunRecord& record, OrderRunCounts& counts, shop::CheckLog log) {
    const shop::CheckOutcome outcome =
        CheckWooCommerce(shop::CheckKind::Orders, *lstOrder, *mLogs, record, log);
    if (outcome.answer == shop::CheckOutcome::Answer::Failed) counts.listingFailed = true;
}

}  // namespace norvan::app
