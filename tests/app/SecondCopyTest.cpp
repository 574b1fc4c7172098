// A second copy of the program started on a folder that another copy works on.
#include "ShopWindowFixture.h"
#include "support/SettingsSeed.h"

#include <QLineEdit>
#include <QTabWidget>
#include <QTest>

namespace norvan::app {
namespace {

class SecondCopyTest : public ShopWindowFixture {};

TEST_F(SecondCopyTest, WaitsForTheFirstSayingSoAndThenCarriesOnAsAtStartUp) {
    testing::seedSettings(folder, shopSettings());
    auto first = std::make_unique<TfMain>(boxes.environment(folder.path()));
    ASSERT_EQ(first->edtEComURL->text(), baseUrl());

    TfMain& second = startWindow();

    EXPECT_EQ(second.statusPanelText(2), TfMain::kAnotherCopyWorks);
    EXPECT_TRUE(second.runStatusPanel().warns());
    EXPECT_EQ(second.mLogs->lines(), QStringList{TfMain::kAnotherCopyWorks});
    EXPECT_TRUE(QString::fromUtf8(folder.readBytes("Logs/2024-03-05.log"))
                    .endsWith("start-up mLogs: " + TfMain::kAnotherCopyWorks + "\r\n"));
    // Nothing of the folder is touched meanwhile: no settings, no runs, no pages to press.
    EXPECT_TRUE(second.edtEComURL->text().isEmpty());
    EXPECT_FALSE(second.pgMain->isEnabled());

    first.reset();
    ASSERT_TRUE(QTest::qWaitFor([&] { return second.pgMain->isEnabled(); }));

    EXPECT_EQ(second.edtEComURL->text(), baseUrl());
    EXPECT_EQ(second.statusPanelText(2), "");
    EXPECT_FALSE(second.runStatusPanel().warns());
    EXPECT_TRUE(boxes.errors().empty()) << boxes.errorTexts().join('|').toStdString();
}

}  // namespace
}  // namespace norvan::app
