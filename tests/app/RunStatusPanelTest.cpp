// What the operator sees of the runs in the window: their progress and outcome in the status
// bar's third panel, the day's log it names, and a listing that brought no orders.
#include "ShopWindowFixture.h"

#include <QPushButton>
#include <QTimer>

namespace norvan::app {
namespace {

class RunStatusPanelTest : public ShopWindowFixture {
  protected:
    QString dayLog() const { return folder.filePath("Logs/2024-03-05.log"); }

    // The panel's texts while the steps run, each once, as the window's events see them.
    static QStringList panelTextsDuring(TfMain& fMain, const std::function<void()>& steps) {
        QStringList seen;
        QTimer sampler;
        QObject::connect(&sampler, &QTimer::timeout, [&] {
            const QString text = fMain.statusPanelText(2);
            if (seen.isEmpty() || seen.last() != text) seen.append(text);
        });
        sampler.start(0);
        steps();
        return seen;
    }
};

TEST_F(RunStatusPanelTest, AProductRunShowsHowFarItIsThenWhatItCameTo) {
    folder.makeFolder("Products");
    folder.writeBytes("Products/P_1.ecom",
                      "A-1;40;0;0.6;155000;;0\r\nNO-SUCH;1;1;0;10;;0\r\nB-7;3;1;0;10;;0\r\n");
    folder.setModified("Products/P_1.ecom", testing::BoxRecorder::fixedNow().addSecs(-60));
    TfMain& fMain = startShopWindow(shopSettings());
    RunStatusPanel& panel = fMain.runStatusPanel();

    const QStringList seen = panelTextsDuring(fMain, [&] {
        fMain.btnThreadPut->click();
        waitForRuns(fMain);
    });

    EXPECT_EQ(seen.filter(QStringLiteral(" / 3")), QStringList({"0 / 3", "1 / 3", "2 / 3"}));
    EXPECT_EQ(fMain.statusPanelText(2), "Products: 2 updated, 1 not found");
    EXPECT_TRUE(panel.warns());
    EXPECT_TRUE(panel.autoFillBackground());
    EXPECT_EQ(panel.palette().color(QPalette::Window), RunStatusPanel::kWarningColour);
    EXPECT_TRUE(panel.toolTip().contains(dayLog())) << panel.toolTip().toStdString();

    emit panel.doubleClicked();
    EXPECT_EQ(boxes.openedFiles(), QStringList{dayLog()});
}

TEST_F(RunStatusPanelTest, AnOrderRunCountsTheOrdersDoneOfThoseListedAndTheLastOutcomesStay) {
    TfMain& fMain = startShopWindow(shopSettings());
    QStringList seen;  // when each order is taken up
    QObject::connect(fMain.lstOrder, &QListWidget::currentRowChanged, &fMain,
                     [&] { seen.append(fMain.statusPanelText(2)); });

    fMain.btnThreadGet->click();
    waitForRuns(fMain);

    EXPECT_EQ(seen, QStringList({"0 / 4", "1 / 4", "2 / 4", "3 / 4"}));
    EXPECT_EQ(fMain.statusPanelText(2), "Orders: 4 exported");
    EXPECT_FALSE(fMain.runStatusPanel().warns());

    fMain.btnUpdateProductClick();  // nothing to send
    EXPECT_EQ(fMain.statusPanelText(2), "Products: 0 updated | Orders: 4 exported");
    EXPECT_FALSE(fMain.runStatusPanel().warns());
}

// A login or maintenance page answering the listing: the orders wait, and the run says why.
TEST_F(RunStatusPanelTest, AListingAnsweredWithoutJsonIsAFailedListing) {
    TfMain& fMain = startShopWindow(shopSettings());
    shop.setFault(sampleshop::Fault::NonJson200);

    fMain.btnThreadGet->click();
    waitForRuns(fMain);

    EXPECT_TRUE(fMain.mLogs->lines().contains(
        "---Response error: Error: The shop's answer is not JSON. (unsuccessful)."));
    EXPECT_TRUE(QString::fromUtf8(folder.readBytes("Logs/2024-03-05.log"))
                    .contains("orders/unattended summary: orders exported 0, status changes "
                              "retried 0, failed 0, listing failed\r\n"));
    EXPECT_EQ(fMain.statusPanelText(2), "Orders: 0 exported, listing failed");
    EXPECT_TRUE(fMain.runStatusPanel().warns());
    EXPECT_EQ(orderStatus(15), "processing");
}

TEST_F(RunStatusPanelTest, ADailyLogThatCannotBeWrittenIsSaid) {
    folder.writeBytes("Logs", "");  // a file where the folder belongs
    TfMain& fMain = startShopWindow(shopSettings());

    fMain.btnUpdateProductClick();

    EXPECT_EQ(fMain.statusPanelText(2), "Products: 0 updated, daily log not written");
    EXPECT_TRUE(fMain.runStatusPanel().warns());
    EXPECT_TRUE(fMain.runStatusPanel().toolTip().contains(
        "The daily log cannot be written: cannot make the folder " + folder.filePath("Logs")))
        << fMain.runStatusPanel().toolTip().toStdString();
}

}  // namespace
}  // namespace norvan::app
