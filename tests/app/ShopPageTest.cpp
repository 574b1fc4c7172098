// The connection check and the order list against the sample shop.
#include "ShopWindowFixture.h"
#include "app/BusyPointer.h"
#include "app/ListItems.h"
#include "shop/BasicToken.h"

#include <QLineEdit>
#include <QPushButton>

namespace norvan::app {
namespace {

using ShopPageTest = ShopWindowFixture;

TEST_F(ShopPageTest, CheckListsTheProductIdsAndShowsTheTokenOnOneLine) {
    TfMain& fMain = startShopWindow(shopSettings());
    fMain.lstWooProduct->addItem(QStringLiteral("earlier id"));

    fMain.Button2->click();

    EXPECT_TRUE(boxes.errors().empty()) << boxes.errorTexts().join('|').toStdString();
    EXPECT_EQ(listItems(*fMain.lstWooProduct), QStringList({"10", "11", "12", "13", "14", "20"}));
    EXPECT_EQ(fMain.mCheckLog->lines(),
              QStringList({"---BEGIN Check---", "---Config API to get token:  " + baseUrl(),
                           "---Warning: Basic authentication over http:// sends the key and "
                           "secret unencrypted; use an https:// address.",
                           "---Get method /\"PRODUCT\"\\ successfully.",
                           "---Get Good Response For REST API (successful).", "---END Check---"}));
    // 87 bytes of key, colon and secret give a token with one line break.
    const QString token = shop::basicToken(fMain.edtUser->text(), fMain.edtPassword->text());
    ASSERT_TRUE(token.contains(QStringLiteral("\r\n")));
    EXPECT_EQ(fMain.edtToken->text(), QString(token).remove(QStringLiteral("\r\n")));
    EXPECT_FALSE(isBusyPointerShown());
    EXPECT_TRUE(fMain.mLogs->text().isEmpty());
}

TEST_F(ShopPageTest, OrderListHoldsTheOrdersOfTheSourceStatus) {
    TfMain& fMain = startShopWindow(shopSettings());

    fMain.btnGetOrdersClick();

    EXPECT_EQ(listItems(*fMain.lstOrder), QStringList({"18", "17", "16", "15"}));  // newest first
    EXPECT_EQ(fMain.mLogs->line(3), "---Get method /\"ORDER\"\\ successfully.");
    EXPECT_EQ(fMain.mLogs->lineCount(), 6);  // with the warning of Basic over plain http
    EXPECT_EQ(shop.requests().at(0).target, "/wp-json/wc/v3/orders?status=processing");
}

}  // namespace
}  // namespace norvan::app
