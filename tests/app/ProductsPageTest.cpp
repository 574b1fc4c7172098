// The products page: the product file from the accounting program and the product run against
// the sample shop.
#include "ShopWindowFixture.h"
#include "app/BusyPointer.h"
#include "app/ListItems.h"
#include "common/Error.h"

#include <QPushButton>

namespace norvan::app {
namespace {

class ProductsPageTest : public ShopWindowFixture {
  protected:
    // A file the accounting program finished writing a minute ago, or `modified`.
    void writeProductFile(
        const QString& name, const QByteArray& bytes,
        const QDateTime& modified = testing::BoxRecorder::fixedNow().addSecs(-60)) {
        folder.makeFolder("Products");
        folder.writeBytes("Products/" + name, bytes);
        folder.setModified("Products/" + name, modified);
    }
    nlohmann::ordered_json product(long long id) const { return shop.product(id); }
};

TEST_F(ProductsPageTest, AReadTakesEveryFileOldestFirstAndTheNewestValuesReachTheShop) {
    const QByteArray older("A-1;1;1;0;10;;0\r\nB-7;0;1;;1900000;;yes\r\n");
    const QByteArray newer("A-1;40;0;0.6;155000;;0\r\n\r\n   \r\n");
    writeProductFile("P_20240102_0800.ecom", newer);
    writeProductFile("P_20240101_0900.ecom", older);
    TfMain& fMain = startShopWindow(shopSettings());

    fMain.btnGetProducts->click();

    EXPECT_TRUE(boxes.errors().empty()) << boxes.errorTexts().join('|').toStdString();
    EXPECT_EQ(
        listItems(*fMain.lstProdTextFile),
        QStringList({"A-1;1;1;0;10;;0", "B-7;0;1;;1900000;;yes", "A-1;40;0;0.6;155000;;0", "   "}));
    EXPECT_EQ(fMain.mProdFiles->text(), QString::fromLatin1(older + newer));
    EXPECT_FALSE(folder.isFile("Products/P_20240101_0900.ecom"));
    EXPECT_FALSE(folder.isFile("Products/P_20240102_0800.ecom"));

    fMain.btnUpdateProduct->click();

    EXPECT_TRUE(boxes.errors().empty()) << boxes.errorTexts().join('|').toStdString();
    EXPECT_EQ(product(10)["stock_quantity"], 40);
    EXPECT_EQ(product(12)["regular_price"], "1900000");
    EXPECT_EQ(fMain.mLogs->lines(),
              QStringList({"---BEGIN Update Product---", "---Create JSON  /Product id: 12",
                           "---Product update successfully /201 update product.",
                           "---Create JSON  /Product id: 10",
                           "---Product update successfully /201 update product.",
                           "---Error in product line 3: List index out of bounds (0)",
                           "---END Update Product---"}));

    fMain.btnGetProductsClick();  // nothing left: the list empties, the pane keeps its text
    EXPECT_TRUE(listItems(*fMain.lstProdTextFile).isEmpty());
    EXPECT_EQ(fMain.mProdFiles->text(), QString::fromLatin1(older + newer));
}

TEST_F(ProductsPageTest, AFileStillBeingWrittenIsLeftWithOneLoggedLine) {
    writeProductFile("P_1.ecom", "A-1;1;1;0;10;;0\r\n");
    TfMain& fMain = startShopWindow(shopSettings());
    // The accounting program writes on between the two looks at the file.
    boxes.onPause = [this] { folder.writeBytes("Products/P_1.ecom", "A-1;1;1;0;10;;0\r\nB"); };

    fMain.btnGetProductsClick();
    fMain.btnUpdateProductClick();

    EXPECT_TRUE(listItems(*fMain.lstProdTextFile).isEmpty());
    EXPECT_TRUE(folder.isFile("Products/P_1.ecom"));
    EXPECT_EQ(fMain.mLogs->lines(),
              QStringList({"---BEGIN Update Product---",
                           "---Product file still being written, left for the next run: P_1.ecom",
                           "---END Update Product---"}));
    EXPECT_TRUE(shop.requests().empty());
}

TEST_F(ProductsPageTest, LoadShowsTheRowsOfTheSelectedLine) {
    TfMain& fMain = startWindow();
    fMain.lstProdTextFile->addItems({"A-100;12;true;0.5;150000;;0;Blue", "SHORT;1"});

    fMain.bLoadProdClick();  // nothing selected
    EXPECT_EQ(fMain.vleProdValue->rowCount(), 0);

    select(*fMain.lstProdTextFile, QStringLiteral("A-100;12;true;0.5;150000;;0;Blue"));
    fMain.bLoadProd->click();
    EXPECT_EQ(fMain.vleProdValue->list().rows(),
              QStringList({"sku=A-100", "manage_stock=true", "stock_quantity=12",
                           "tax_status=taxable", "weight=0.5", "sale_price=", "sale_price=150000",
                           "regular_price=150000", "name=Blue"}));

    // A short line fails after its first row, which stays shown.
    select(*fMain.lstProdTextFile, QStringLiteral("SHORT;1"));
    EXPECT_THROW(fMain.bLoadProdClick(), Error);
    EXPECT_EQ(fMain.vleProdValue->list().rows(), QStringList("sku=SHORT"));
}

TEST_F(ProductsPageTest, UpdateSendsEveryLineToTheShop) {
    TfMain& fMain = startShopWindow(shopSettings());
    fMain.lstProdTextFile->addItems({"A-1;40;0;0.6;155000;;0;Tea",
                                     "\"C 10\";3;1;1.3;650000;600000;0", "B-7;0;1;;1900000;;yes",
                                     "NOPE-9;1;1;1;1;;0"});

    fMain.btnUpdateProduct->click();

    EXPECT_TRUE(boxes.errors().empty()) << boxes.errorTexts().join('|').toStdString();
    EXPECT_EQ(product(10)["stock_quantity"], 40);
    EXPECT_EQ(product(10)["tax_status"], "none");
    EXPECT_EQ(product(10)["weight"], "0.6");
    EXPECT_EQ(product(10)["regular_price"], "155000");
    EXPECT_EQ(product(13)["stock_quantity"], 3);
    EXPECT_EQ(product(13)["sale_price"], "600000");
    // An untracked stock stays untracked and in stock.
    EXPECT_EQ(product(12)["manage_stock"], false);
    EXPECT_TRUE(product(12)["stock_quantity"].is_null());
    EXPECT_EQ(product(12)["stock_status"], "instock");
    EXPECT_EQ(product(12)["regular_price"], "1900000");

    const QStringList log = fMain.mLogs->lines();
    EXPECT_EQ(log.first(), "---BEGIN Update Product---");
    EXPECT_EQ(log.count("---Product update successfully /201 update product."), 3);
    EXPECT_TRUE(log.contains("---Create JSON  /Product id: 13"));
    EXPECT_TRUE(log.contains("---Product not found /SKU: NOPE-9"));
    EXPECT_EQ(log.last(), "---END Update Product---");
    EXPECT_EQ(fMain.statusPanelText(1), "SKU: NOPE-9");
    EXPECT_EQ(fMain.vleProdValue->list().value(QStringLiteral("sku")), "NOPE-9");
    EXPECT_FALSE(isBusyPointerShown());
}

// The operator presses the product buttons again while the run's events are pumped: neither
// starts a run inside it; the daily log says so.
TEST_F(ProductsPageTest, APressDuringAProductRunStartsNoSecondOne) {
    TfMain& fMain = startShopWindow(shopSettings());
    fMain.lstProdTextFile->addItems({"A-1;40;0;0.6;155000;;0;Tea", "B-7;0;1;;1900000;;yes"});
    QMetaObject::invokeMethod(
        &fMain,
        [&] {
            fMain.btnUpdateProduct->click();
            fMain.btnGetProducts->click();
        },
        Qt::QueuedConnection);

    fMain.btnUpdateProduct->click();

    EXPECT_TRUE(boxes.errors().empty()) << boxes.errorTexts().join('|').toStdString();
    EXPECT_EQ(fMain.mLogs->lines().count("---BEGIN Update Product---"), 1);
    EXPECT_EQ(fMain.mLogs->lines().count("---Product update successfully /201 update product."), 2);
    EXPECT_EQ(listItems(*fMain.lstProdTextFile).size(), 2);
    EXPECT_EQ(QString::fromUtf8(folder.readBytes("Logs/2024-03-05.log"))
                  .count(" products/hand skipped: not started: a run of this kind is queued or "
                         "under way\r\n"),
              2);
}

TEST_F(ProductsPageTest, BatchUpdateSendsTheLinesWithOneLookupAndOneBatchCall) {
    folder.writeBytes("SetManifest.ini", "[Setting]\r\nBatch=1\r\n");
    TfMain& fMain = startShopWindow(shopSettings());
    fMain.lstProdTextFile->addItems({"A-1;40;0;0.6;155000;;0;Tea", "B-7;0;1;;1900000;;yes"});

    fMain.btnUpdateProduct->click();

    EXPECT_TRUE(boxes.errors().empty()) << boxes.errorTexts().join('|').toStdString();
    std::vector<std::string> calls;
    for (const auto& request : shop.requests())
        calls.push_back(request.method + " " + request.target);
    EXPECT_EQ(calls,
              std::vector<std::string>({"GET /wp-json/wc/v3/products?sku=A-1,B-7&per_page=100",
                                        "POST /wp-json/wc/v3/products/batch"}));
    EXPECT_EQ(product(10)["stock_quantity"], 40);
    EXPECT_EQ(product(12)["regular_price"], "1900000");
    EXPECT_EQ(fMain.mLogs->lines().count("---Product update successfully /201 update product."), 2);
    EXPECT_EQ(fMain.statusPanelText(1), "SKU: B-7");
}

// On a shown window the controls follow the run within a frame; what they hold is current at once.
TEST_F(ProductsPageTest, AShownWindowKeepsEveryLineOfTheRunAndShowsItsControlsCurrent) {
    TfMain& fMain = startShopWindow(shopSettings());
    fMain.setActivePage(fMain.tsProduct);
    fMain.show();
    fMain.lstProdTextFile->addItems(
        {"A-1;40;0;0.6;155000;;0;Tea", "B-7;0;1;;1900000;;yes", "NOPE-9;1;1;1;1;;0"});

    fMain.btnUpdateProductClick();

    const QStringList log = {"---BEGIN Update Product---",
                             "---Create JSON  /Product id: 10",
                             "---Product update successfully /201 update product.",
                             "---Create JSON  /Product id: 12",
                             "---Product update successfully /201 update product.",
                             "---Product not found /SKU: NOPE-9",
                             "---END Update Product---"};
    EXPECT_EQ(fMain.mLogs->lines(), log);
    EXPECT_EQ(fMain.mLogs->toPlainText(), log.join(u'\n') + u'\n');
    EXPECT_EQ(fMain.statusPanelText(1), "SKU: NOPE-9");
    EXPECT_EQ(fMain.vleProdValue->list().value(QStringLiteral("sku")), "NOPE-9");
    EXPECT_EQ(fMain.vleProdValue->model()->index(0, 1).data().toString(), "NOPE-9");
}

}  // namespace
}  // namespace norvan::app
