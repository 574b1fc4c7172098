// The connection check and the order list: both ask the shop for a list of ids.
#include "ListCheckWindow.h"
#include "TfMain.h"

#include <QCheckBox>
#include <QLineEdit>

namespace norvan::app {

orders::ShopConnection TfMain::shopConnection() const {
    return {.baseUrl = edtEComURL->text(),
            .user = edtUser->text(),
            .password = edtPassword->text(),
            .oauth1 = chbConKey->isChecked()};
}

void TfMain::CheckWooCommerce(int type, QListWidget& list, TextPaneView& log) {
    const shop::CheckInputs inputs{.edtEComURL = edtEComURL->text(),
                                   .edtUser = edtUser->text(),
                                   .edtPassword = edtPassword->text(),
                                   .edtProductRes = edtProductRes->text(),
                                   .edtOrderRes = edtOrderRes->text(),
                                   .edtStatusAz = edtStatusAz->text(),
                                   .chbConKey = chbConKey->isChecked()};
    ListCheckWindow window(list, log, *edtToken);
    shop::CheckWooCommerce(type, inputs, window);
}

void TfMain::Button2Click() {
    CheckWooCommerce(shop::CheckProducts, *lstWooProduct, *mCheckLog);
}

void TfMain::btnGetOrdersClick() {
    CheckWooCommerce(shop::CheckOrders, *lstOrder, *mLogs);
}

}  // namespace norvan::app
