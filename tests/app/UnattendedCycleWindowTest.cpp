// The unattended cycle of the window against the sample shop: both runs end to end.
#include "ShopWindowFixture.h"
#include "automation/UnattendedCycle.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace norvan::app {
namespace {

class UnattendedCycleWindowTest : public ShopWindowFixture {
  protected:
    settings::SettingsRow cycleSettings(bool automatic) const {
        settings::SettingsRow row = shopSettings();
        row.automatic = automatic;
        row.ordParams = QStringLiteral("id;");
        row.itemParams = QStringLiteral("sku;quantity;");
        return row;
    }

    void writeProductFile() const {
        folder.makeFolder("Products");
        folder.writeBytes("Products/P_1.ecom", "A-1;40;0;0.6;155000;;0\r\n");
        folder.setModified("Products/P_1.ecom", testing::BoxRecorder::fixedNow().addSecs(-60));
    }

    // The first line of every order file, in name order.
    QStringList orderHeaderLines() const {
        QStringList headers;
        const QDir orders(folder.filePath("Orders"));
        for (const QString& name : orders.entryList(QDir::Files, QDir::Name))
            headers.append(QString::fromLatin1(folder.readBytes("Orders/" + name).split('\r')[0]));
        headers.sort();
        return headers;
    }

    // Both runs of one cycle have been carried out.
    void expectBothRunsDone() {
        EXPECT_TRUE(boxes.errors().empty()) << boxes.errorTexts().join('|').toStdString();
        EXPECT_EQ(orderHeaderLines(), QStringList({"^15^", "^16^", "^17^", "^18^"}));
        for (const long long id : {15, 16, 17, 18}) EXPECT_EQ(orderStatus(id), "completed") << id;
        EXPECT_FALSE(folder.isFile("Products/P_1.ecom"));
        EXPECT_EQ(shop.product(10)["stock_quantity"], 40);
    }
};

TEST_F(UnattendedCycleWindowTest, StartUpWithTheModeOnRunsOneCycleAndChangeStopsIt) {
    writeProductFile();
    TfMain& fMain = startShopWindow(cycleSettings(true));
    EXPECT_FALSE(fMain.lWarning->isHidden());
    EXPECT_TRUE(fMain.tCheckTime->isActive());
    EXPECT_EQ(fMain.tCheckTime->interval(), 3600000);

    waitForRuns(fMain);

    expectBothRunsDone();
    EXPECT_EQ(fMain.pgMain->currentWidget(), fMain.tsOrders);

    fMain.btnChangeSetting->click();
    EXPECT_FALSE(fMain.tCheckTime->isActive());
    EXPECT_TRUE(fMain.lWarning->isHidden());
}

TEST_F(UnattendedCycleWindowTest, SaveWithTheModeTickedRunsOneCycle) {
    writeProductFile();
    TfMain& fMain = startShopWindow(cycleSettings(false));
    fMain.btnChangeSettingClick();
    fMain.chbAutomat->setChecked(true);
    fMain.edtSleepInterval->setText(QStringLiteral("5"));

    fMain.btnSaveSettingClick();
    waitForRuns(fMain);

    expectBothRunsDone();
    EXPECT_FALSE(fMain.lWarning->isHidden());
    EXPECT_EQ(fMain.tCheckTime->interval(), 300000);
    EXPECT_TRUE(fMain.tCheckTime->isActive());
}

TEST_F(UnattendedCycleWindowTest, SaveWithTheModeOffRunsNothingButTheButtonsStillRunByHand) {
    writeProductFile();
    TfMain& fMain = startShopWindow(cycleSettings(false));
    fMain.btnChangeSettingClick();
    fMain.btnSaveSettingClick();

    EXPECT_FALSE(fMain.cycle().orderRunBusy() || fMain.cycle().productRunBusy());
    EXPECT_FALSE(fMain.tCheckTime->isActive());
    EXPECT_TRUE(fMain.lWarning->isHidden());
    EXPECT_TRUE(shop.requests().empty());

    fMain.btnThreadGet->click();
    fMain.btnThreadPut->click();
    EXPECT_TRUE(fMain.cycle().orderRunBusy() && fMain.cycle().productRunBusy());
    waitForRuns(fMain);

    expectBothRunsDone();
    EXPECT_FALSE(fMain.tCheckTime->isActive());
}

// The order that cannot be read is logged and skipped; the run goes on with the others. A read the
// shop failed is logged in the client's words.
TEST_F(UnattendedCycleWindowTest, AnOrderThatCannotBeReadIsLoggedAndTheRunGoesOn) {
    const struct {
        sampleshop::Fault fault;
        const char* logged;
    } cases[] = {
        {sampleshop::Fault::Empty200, "Value 'line_items' not found"},  // holds no line items
        {sampleshop::Fault::Status500, "Error: HTTP/1.1 500 Internal Server Error"},
        {sampleshop::Fault::Status503, "Error: HTTP/1.1 503 Service Unavailable"},
    };
    TfMain& fMain = startShopWindow(cycleSettings(false));
    long long orderId = 100;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.logged);
        nlohmann::ordered_json order = shop.order(15);
        order["id"] = ++orderId;
        order["status"] = "processing";
        shop.addOrder(order);
        const std::string target = "/wp-json/wc/v3/orders/" + std::to_string(orderId) + "/";
        shop.setRequestHook([target, fault = c.fault](const sampleshop::RecordedRequest& request) {
            return request.method == "GET" && request.target == target ? fault
                                                                       : sampleshop::Fault::None;
        });

        fMain.btnThreadGet->click();
        waitForRuns(fMain);

        EXPECT_EQ(orderStatus(orderId), "processing");
        EXPECT_TRUE(fMain.mLogs->lines().contains(QStringLiteral("---Error in order %1: %2")
                                                      .arg(orderId)
                                                      .arg(QString::fromLatin1(c.logged))))
            << fMain.mLogs->text().toStdString();
    }
    shop.setRequestHook({});
    for (const long long id : {15, 16, 17, 18}) EXPECT_EQ(orderStatus(id), "completed") << id;
    EXPECT_TRUE(boxes.errors().empty());
}

TEST_F(UnattendedCycleWindowTest, OrderRunListsAgainUntilTheSourceStatusIsDrained) {
    // 25 orders wait; the shop answers a listing with ten of them.
    for (long long id = 100; id < 121; ++id) {
        nlohmann::ordered_json order = shop.order(15);
        order["id"] = id;
        shop.addOrder(order);
    }
    TfMain& fMain = startShopWindow(cycleSettings(false));

    fMain.btnThreadGet->click();
    waitForRuns(fMain);

    EXPECT_EQ(orderHeaderLines().size(), 25);
    for (long long id = 100; id < 121; ++id) EXPECT_EQ(orderStatus(id), "completed") << id;
    // One pane for the run: every listing's lines and every export stay in it, the warning once.
    const QStringList log = fMain.mLogs->lines();
    EXPECT_EQ(log.count(QStringLiteral("---BEGIN Check---")), 3);
    EXPECT_EQ(log.filter(QStringLiteral("---Warning: Basic authentication")).size(), 1);
    QStringList changes = log.filter(QStringLiteral("---Changing status order:"));
    QStringList expected;
    for (long long id = 15; id < 121; id = id == 18 ? 100 : id + 1)
        expected.append(QStringLiteral("---Changing status order:  %1 //Az:  processing To:  "
                                       "completed")
                            .arg(id));
    changes.sort();
    expected.sort();
    EXPECT_EQ(changes, expected);
}

TEST_F(UnattendedCycleWindowTest, OrderListShrinkingUnderTheRunEndsItWithoutExportingTwice) {
    TfMain& fMain = startShopWindow(cycleSettings(false));
    // Stands in for a run nested in this one that lists fewer orders: at the pump after the
    // first export the list loses its last two ids.
    bool shrinking = false;
    QObject::connect(fMain.lstOrder, &QListWidget::currentRowChanged, &fMain, [&](int row) {
        if (row != 0 || shrinking) return;
        shrinking = true;
        QMetaObject::invokeMethod(
            &fMain,
            [&] {
                for (const int last : {3, 2}) delete fMain.lstOrder->takeItem(last);
            },
            Qt::QueuedConnection);
    });

    fMain.btnThreadGet->click();
    waitForRuns(fMain);

    EXPECT_EQ(orderHeaderLines(), QStringList({"^17^", "^18^"}));
    EXPECT_EQ(orderStatus(16), "processing");
    EXPECT_EQ(orderStatus(15), "processing");
}

}  // namespace
}  // namespace norvan::app
