// Pages: the main page's buttons, the page-change handler and the first showing.
#include "automation/UnattendedCycle.h"
#include "support/WindowFixture.h"

#include <QGroupBox>
#include <QPushButton>
#include <QTabWidget>

namespace norvan::app {
namespace {

class NavigationTest : public testing::WindowFixture {
  protected:
    void SetUp() override { startWindow(); }

    bool inViewingState() {
        return !window().gbRestSetting->isEnabled() && !window().btnSaveSetting->isEnabled() &&
               window().btnChangeSetting->isEnabled();
    }
};

TEST_F(NavigationTest, MainPageButtonsOpenTheirPages) {
    TfMain& fMain = window();
    const std::pair<QPushButton*, QWidget*> cases[] = {
        {fMain.btnSetting, fMain.tsSetting},
        {fMain.btnOrders, fMain.tsOrders},
        {fMain.btnProduct, fMain.tsProduct},
    };
    for (const auto& [button, page] : cases) {
        SCOPED_TRACE(button->objectName().toStdString());
        fMain.setActivePage(fMain.tsMain);
        button->click();
        EXPECT_EQ(fMain.pgMain->currentWidget(), page);
    }
    EXPECT_TRUE(boxes.errors().empty());
}

TEST_F(NavigationTest, OpeningTheSettingsPageEntersViewingStateAndClearsCheckLog) {
    TfMain& fMain = window();
    fMain.btnChangeSettingClick();
    fMain.mCheckLog->appendLine(QStringLiteral("old check"));

    fMain.btnSettingClick(fMain.btnSetting);

    EXPECT_TRUE(inViewingState());
    EXPECT_TRUE(fMain.mCheckLog->text().isEmpty());
    EXPECT_TRUE(fMain.mCheckLog->toPlainText().isEmpty());
}

TEST_F(NavigationTest, OtherPagesLeaveCheckLogAndSettingsStateAlone) {
    TfMain& fMain = window();
    fMain.btnChangeSettingClick();
    fMain.mCheckLog->appendLine(QStringLiteral("kept"));

    fMain.btnSettingClick(fMain.btnOrders);
    fMain.pgMain->setCurrentWidget(fMain.tsProduct);  // as the operator's tab click

    EXPECT_EQ(fMain.mCheckLog->text(), "kept\r\n");
    EXPECT_TRUE(fMain.btnSaveSetting->isEnabled());
}

TEST_F(NavigationTest, SettingsTabShowsSaveDisabledEvenWithAnEditOpen) {
    TfMain& fMain = window();
    fMain.pgMain->setCurrentWidget(fMain.tsSetting);
    fMain.btnChangeSettingClick();
    fMain.pgMain->setCurrentWidget(fMain.tsOrders);

    fMain.pgMain->setCurrentWidget(fMain.tsSetting);  // the operator's tab click

    EXPECT_TRUE(inViewingState());
}

// A run of the first cycle may still be under way when the window is first shown: it stays
// busy, so that the next tick starts no second one inside it.
TEST_F(NavigationTest, FirstShowingOpensMainPageAndLeavesARunUnderWayBusy) {
    TfMain& fMain = window();
    fMain.setActivePage(fMain.tsOrders);
    const auto productRun = fMain.cycle().productRuns().take();

    fMain.show();

    EXPECT_EQ(fMain.pgMain->currentWidget(), fMain.tsMain);
    EXPECT_TRUE(fMain.cycle().productRunBusy());
    EXPECT_FALSE(fMain.cycle().orderRunBusy());
}

}  // namespace
}  // namespace norvan::app
