// The orders page against the sample shop: extraction, field mapping, export.
#include "ShopWindowFixture.h"
#include "app/ListItems.h"
#include "common/Error.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>

namespace norvan::app {
namespace {

// The order file of the fixed clock every window test sees.
const QString kOrderFile = QStringLiteral("Orders/Order_2024-03-05 14-07-09.ecom");

class OrdersPageTest : public ShopWindowFixture {
  protected:
    // The window with the shop's processing orders listed and order `id` extracted.
    TfMain& extractedWindow(const settings::SettingsRow& row, const QString& id) {
        TfMain& fMain = startShopWindow(row);
        fMain.btnGetOrdersClick();
        select(*fMain.lstOrder, id);
        fMain.btnextractOrdersClick();
        return fMain;
    }

    QStringList orderFiles() const {
        return QDir(folder.filePath("Orders")).entryList(QDir::Files, QDir::Name);
    }
};

TEST_F(OrdersPageTest, ExtractMapSaveAndExportOneOrder) {
    settings::SettingsRow row = shopSettings();
    row.ordParams = QStringLiteral("TOTAL;");
    TfMain& fMain = extractedWindow(row, QStringLiteral("15"));

    EXPECT_EQ(fMain.vleOrderValue->list().value(QStringLiteral("id")), "15");
    EXPECT_EQ(fMain.vleOrderValue->list().value(QStringLiteral("line_items[1].sku")), "A-2");
    EXPECT_TRUE(listItems(*fMain.lstOrderHField).contains(QStringLiteral("billing.first_name")));
    EXPECT_EQ(listItems(*fMain.lstOrderItemField).count(QStringLiteral("sku")), 2);
    EXPECT_EQ(fMain.edtCountItem->text(), "2");

    // Mapping refuses an entry that is there already, letter case disregarded.
    doubleClick(*fMain.lstOrderHField, QStringLiteral("id"));
    doubleClick(*fMain.lstOrderHField, QStringLiteral("total"));
    doubleClick(*fMain.lstOrderHField, QStringLiteral("id"));
    EXPECT_EQ(listItems(*fMain.lstHeadToDexar), QStringList({"TOTAL", "id"}));
    doubleClick(*fMain.lstHeadToDexar, QStringLiteral("TOTAL"));
    doubleClick(*fMain.lstOrderHField, QStringLiteral("total"));
    doubleClick(*fMain.lstOrderItemField, QStringLiteral("sku"), 0);
    doubleClick(*fMain.lstOrderItemField, QStringLiteral("sku"), 1);
    doubleClick(*fMain.lstOrderItemField, QStringLiteral("quantity"));
    doubleClick(*fMain.lstOrderItemField, QStringLiteral("name"));
    doubleClick(*fMain.lstItemToDexar, QStringLiteral("name"));
    EXPECT_EQ(listItems(*fMain.lstHeadToDexar), QStringList({"id", "total"}));
    EXPECT_EQ(listItems(*fMain.lstItemToDexar), QStringList({"sku", "quantity"}));

    fMain.btnToDexarAndChangeOrders->click();

    EXPECT_TRUE(boxes.errors().empty()) << boxes.errorTexts().join('|').toStdString();
    const QByteArray expected("^15&880000^\r\nA-1&2\r\nA-2&1\r\n");
    EXPECT_EQ(folder.readBytes(kOrderFile), expected);
    EXPECT_EQ(fMain.mFac->text(), QString::fromLatin1(expected));
    EXPECT_EQ(orderStatus(15), "completed");
    EXPECT_EQ(fMain.mLogs->lines().mid(fMain.mLogs->lineCount() - 2),
              QStringList({"---Changing status order:  15 //Az:  processing To:  completed",
                           "---Update status /\"ORDER\"\\ successfully."}));

    fMain.Button8->click();
    ASSERT_EQ(boxes.messages().size(), 1u);
    EXPECT_EQ(boxes.messages()[0].text, "Saved!");

    TfMain& next = startWindow();
    EXPECT_EQ(listItems(*next.lstHeadToDexar), QStringList({"id", "total"}));
    EXPECT_EQ(listItems(*next.lstItemToDexar), QStringList({"sku", "quantity"}));
}

TEST_F(OrdersPageTest, ExportChangesTheExtractedOrderNotTheSelectedOne) {
    settings::SettingsRow row = shopSettings();
    row.ordParams = QStringLiteral("id;");
    TfMain& fMain = extractedWindow(row, QStringLiteral("16"));
    select(*fMain.lstOrder, QStringLiteral("17"));

    fMain.btnToDexarAndChangeOrdersClick();

    EXPECT_TRUE(folder.readBytes(kOrderFile).startsWith("^16^\r\n"));
    EXPECT_EQ(orderStatus(16), "completed");
    EXPECT_EQ(orderStatus(17), "processing");
    EXPECT_EQ(shop.requests().back().target, "/wp-json/wc/v3/orders/16/");
}

TEST_F(OrdersPageTest, FailedExtractionShowsWhatItReadAndExportsNothing) {
    TfMain& fMain = extractedWindow(shopSettings(), QStringLiteral("15"));
    ASSERT_EQ(fMain.edtCountItem->text(), "2");

    // The item title names an object: the rows are read, the count fails.
    fMain.edtTitleWebItem->setText(QStringLiteral("billing"));
    select(*fMain.lstOrder, QStringLiteral("16"));
    EXPECT_THROW(fMain.btnextractOrdersClick(), Error);

    EXPECT_EQ(fMain.vleOrderValue->list().value(QStringLiteral("id")), "16");
    EXPECT_TRUE(listItems(*fMain.lstOrderItemField).contains(QStringLiteral("first_name")));
    EXPECT_EQ(fMain.edtCountItem->text(), "2");  // the count of the order read before

    fMain.btnToDexarAndChangeOrders->click();

    EXPECT_EQ(boxes.errorTexts(), QStringList("List index out of bounds (-1)"));
    EXPECT_TRUE(orderFiles().isEmpty());
    EXPECT_EQ(orderStatus(16), "processing");
}

TEST_F(OrdersPageTest, NothingSelectedOrNoSettingsRowDoesNothing) {
    TfMain& fMain = startWindow();
    fMain.lstOrder->addItem(QStringLiteral("15"));
    fMain.btnextractOrders->click();
    fMain.Button8->click();
    for (QListWidget* list : {fMain.lstOrderHField, fMain.lstHeadToDexar})
        emit list->itemDoubleClicked(nullptr);

    EXPECT_TRUE(boxes.errors().empty()) << boxes.errorTexts().join('|').toStdString();
    EXPECT_TRUE(boxes.messages().empty());
    EXPECT_EQ(fMain.vleOrderValue->rowCount(), 0);
    EXPECT_TRUE(shop.requests().empty());
}

}  // namespace
}  // namespace norvan::app
