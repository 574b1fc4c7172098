// The daily log of the window's runs: every pane line of a run, the error that ended it and its
// summary in AppPath/Logs/<day>.log, while the panes show what they always showed.
#include "ShopWindowFixture.h"

#include <QPushButton>

namespace norvan::app {
namespace {

class RunRecordTest : public ShopWindowFixture {
  protected:
    // The lines of the day of the window's clock (BoxRecorder::fixedNow).
    QStringList dayLines() const {
        QStringList lines = QString::fromUtf8(folder.readBytes("Logs/2024-03-05.log"))
                                .split(QStringLiteral("\r\n"));
        EXPECT_EQ(lines.takeLast(), QString());  // the last line ends like every other
        return lines;
    }

    // The file lines of a run's pane lines.
    static QStringList entries(const QString& run, const QString& source,
                               const QStringList& lines) {
        QStringList result;
        for (const QString& line : lines)
            result.append("2024-03-05 14:07:09.000 " + run + ' ' + source + ": " + line);
        return result;
    }
    static QString entry(const QString& run, const QString& source, const QString& text) {
        return entries(run, source, {text}).constFirst();
    }
};

TEST_F(RunRecordTest, RunsByHandLeaveTheirPaneLinesAndASummaryEach) {
    folder.makeFolder("Products");
    folder.writeBytes(
        "Products/P_1.ecom",
        QString::fromUtf8("A-1;40;0;0.6;155000;;0;\"چای سبز\"\r\n\r\nNO-SUCH;1;1;0;10;;0\r\n"
                          "SHORT;1\r\n")
            .toUtf8()
            .prepend("\xEF\xBB\xBF"));
    folder.setModified("Products/P_1.ecom", testing::BoxRecorder::fixedNow().addSecs(-60));
    TfMain& fMain = startShopWindow(shopSettings());

    fMain.Button2->click();
    const QStringList checkLines = fMain.mCheckLog->lines();
    fMain.btnGetProducts->click();
    fMain.btnUpdateProduct->click();

    EXPECT_TRUE(boxes.errors().empty()) << boxes.errorTexts().join('|').toStdString();
    ASSERT_EQ(fMain.mLogs->lines().size(), 6);  // BEGIN, A-1's two lines, not found, error, END
    EXPECT_EQ(
        dayLines(),
        QStringList() << entries("check/hand", "mCheckLog", checkLines)
                      << entry("check/hand", "summary", "answered, ids listed 6")
                      << entries("products/hand", "mProdFiles",
                                 {QString::fromUtf8("A-1;40;0;0.6;155000;;0;\"چای سبز\""),
                                  "NO-SUCH;1;1;0;10;;0", "SHORT;1"})
                      << entry("products/hand", "summary",
                               "product lines updated 0, not found 0, refused 0, kept for later 0")
                      << entries("products/hand", "mLogs", fMain.mLogs->lines())
                      << entry(
                             "products/hand", "summary",
                             "product lines updated 1, not found 1, refused 1, kept for later 0"));
}

TEST_F(RunRecordTest, AnUnattendedRunThatAnErrorEndedLeavesTheErrorInTheFile) {
    folder.writeBytes("Orders", "");  // a file where the Orders folder belongs
    TfMain& fMain = startShopWindow(shopSettings());

    fMain.btnThreadGet->click();
    waitForRuns(fMain);

    EXPECT_TRUE(boxes.errors().empty());  // the run ended silently
    const QStringList lines = dayLines();
    const QStringList paneLines = entries("orders/unattended", "mLogs", fMain.mLogs->lines());
    ASSERT_EQ(lines.size(), paneLines.size() + 2) << lines.join('\n').toStdString();
    EXPECT_EQ(lines.mid(0, paneLines.size()), paneLines);
    EXPECT_TRUE(lines.at(paneLines.size())
                    .startsWith(entry("orders/unattended", "error",
                                      "Cannot create file \"" + folder.filePath("Orders/"))))
        << lines.at(paneLines.size()).toStdString();
    EXPECT_EQ(lines.last(), entry("orders/unattended", "summary",
                                  "orders exported 0, status changes retried 0, failed 1"));
    // The operator sees it in the window as well.
    EXPECT_TRUE(fMain.mLogs->lines().constLast().startsWith("---Error: Cannot create file \"" +
                                                            folder.filePath("Orders/")))
        << fMain.mLogs->lines().constLast().toStdString();
    EXPECT_EQ(fMain.statusPanelText(2), "Orders: 0 exported, 1 failed, ended by an error");
    EXPECT_TRUE(fMain.runStatusPanel().warns());
}

}  // namespace
}  // namespace norvan::app
