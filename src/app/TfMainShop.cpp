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

void TfMain::CheckWooCommerce(shop::CheckKind kind, QListWidget& list, TextPaneView& log) {
    const shop::CheckInputs inputs{.connection = shopConnection(),
                                   .productRes = edtProductRes->text(),
                                   .orderRes = edtOrderRes->text(),
                                   .statusAz = edtStatusAz->text()};
    ListCheckWindow window(list, log, *edtToken);
    shop::CheckWooCommerce(kind, inputs, window);
}

void TfMain::Button2Click() {
    CheckWooCommerce(shop::CheckKind::Products, *lstWooProduct, *mCheckLog);
}

void TfMain::btnGetOrdersClick() {
    CheckWooCommerce(shop::CheckKind::Orders, *lstOrder, *mLogs);
}

}  // namespace norvan::app
