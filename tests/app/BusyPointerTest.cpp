#include "ShopWindowFixture.h"
#include "app/BusyPointer.h"
#include "automation/UnattendedCycle.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QHash>
#include <QListWidget>
#include <QPushButton>

namespace norvan::app {
namespace {

TEST(BusyPointerTest, OneDefaultUndoesAnyNumberOfBusy) {
    setBusyPointer();
    setBusyPointer();
    EXPECT_TRUE(isBusyPointerShown());
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);

    setDefaultPointer();
    EXPECT_FALSE(isBusyPointerShown());
    setDefaultPointer();  // already default: nothing to undo
    EXPECT_FALSE(isBusyPointerShown());
}

constexpr int kNoOverride = -1;

int overrideShape() {
    const QCursor* cursor = QApplication::overrideCursor();
    return cursor ? int(cursor->shape()) : kNoOverride;
}

using BusyPointerDuringRunTest = ShopWindowFixture;

TEST_F(BusyPointerDuringRunTest, WaitCursorWhileTheShopAnswersAndNoneAfter) {
    const struct {
        const char* run;
        QPushButton* TfMain::*button;
        TextPaneView* TfMain::*log;
        bool throughWorker;             // the button starts a worker, whose run is waited for
        const char* lineAfterAnAnswer;  // logged once the shop has answered
        int shapeThen;
    } cases[] = {
        {"connection check", &TfMain::Button2, &TfMain::mCheckLog, false,
         "---Get method /\"PRODUCT\"\\ successfully.", Qt::WaitCursor},
        {"order list", &TfMain::btnGetOrders, &TfMain::mLogs, false,
         "---Get method /\"ORDER\"\\ successfully.", Qt::WaitCursor},
        {"product run", &TfMain::btnUpdateProduct, &TfMain::mLogs, false,
         "---Product update successfully /201 update product.", Qt::WaitCursor},
        // The cycle's product run leaves the pointer alone.
        {"product run of the cycle", &TfMain::btnThreadPut, &TfMain::mLogs, true,
         "---Product update successfully /201 update product.", kNoOverride},
    };
    TfMain& fMain = startShopWindow(shopSettings());
    fMain.lstProdTextFile->addItem(QStringLiteral("A-1;40;0;0.6;155000;;0;Tea"));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.run);
        TextPaneView& log = *(fMain.*c.log);
        QHash<QString, int> shapeAtLine;
        QObject listening;
        QObject::connect(&log, &QPlainTextEdit::textChanged, &listening, [&] {
            if (log.lineCount() > 0) shapeAtLine[log.line(log.lineCount() - 1)] = overrideShape();
        });
        if (c.throughWorker) {  // the cycle's run takes its lines from a product file
            folder.makeFolder("Products");
            folder.writeBytes("Products/P_1.ecom", "A-1;40;0;0.6;155000;;0;Tea\r\n");
            folder.setModified("Products/P_1.ecom", testing::BoxRecorder::fixedNow().addSecs(-60));
        }

        (fMain.*c.button)->click();
        if (c.throughWorker) waitForRuns(fMain);

        ASSERT_TRUE(shapeAtLine.contains(c.lineAfterAnAnswer)) << log.text().toStdString();
        EXPECT_EQ(shapeAtLine[c.lineAfterAnAnswer], c.shapeThen);
        EXPECT_EQ(overrideShape(), kNoOverride);
    }
}

}  // namespace
}  // namespace norvan::app
