// Start-up of the window in a program folder.
#include "app/AppVersion.h"
#include "common/Error.h"
#include "settings/SettingsDatabase.h"
#include "support/WindowFixture.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>

namespace norvan::app {
namespace {

class StartUpTest : public testing::WindowFixture {
  protected:
    void expectSettingsBoxesEmpty() {
        TfMain& fMain = window();
        for (QLineEdit* box :
             {fMain.edtTokenURL, fMain.edtEComURL, fMain.edtUser, fMain.edtPassword,
              fMain.edtProductRes, fMain.edtOrderRes, fMain.edtTitleWebItem, fMain.edtTranCod,
              fMain.edtStatusAz, fMain.edtStatusTo, fMain.edtSleepInterval, fMain.edtTimerInterval})
            EXPECT_TRUE(box->text().isEmpty()) << box->objectName().toStdString();
        EXPECT_FALSE(fMain.chbAutomat->isChecked());
        EXPECT_FALSE(fMain.tCheckTime->isActive());
        EXPECT_TRUE(fMain.lWarning->isHidden());
    }
};

TEST(AppVersionTest, VersionTextNamesThreeNumbersAndTheBuild) {
    EXPECT_EQ(appVersionText(1, 0, 6, 5), "Ver 1.0.6 build 5");
}

TEST_F(StartUpTest, FirstStartInEmptyFolderCreatesOnlyTheDatabase) {
    TfMain& fMain = startWindow();

    EXPECT_TRUE(boxes.errors().empty()) << boxes.errorTexts().join('|').toStdString();
    EXPECT_EQ(fMain.AppPath(), folder.path());
    EXPECT_TRUE(folder.isFile("EcomDB.s3db"));
    EXPECT_FALSE(folder.isFile("SetManifest.ini"));
    expectSettingsBoxesEmpty();
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^Ver \\d+\\.\\d+\\.\\d+ build \\d+$"))
                    .match(fMain.statusPanelText(0))
                    .hasMatch())
        << fMain.statusPanelText(0).toStdString();
    EXPECT_EQ(fMain.statusPanelText(1), "");
    EXPECT_EQ(fMain.statusPanelText(2), "");
}

TEST_F(StartUpTest, UnreadableDatabaseIsReportedAndStartUpStopsThere) {
    const QByteArray foreign("this is no database of ours, just some bytes");
    folder.writeBytes("EcomDB.s3db", foreign);

    TfMain& fMain = startWindow();

    ASSERT_EQ(boxes.errors().size(), 1u);
    EXPECT_EQ(boxes.errors()[0].text,
              QStringLiteral("The settings database \"%1\" is not a database at all. (file is "
                             "encrypted or is not a database)")
                  .arg(folder.filePath("EcomDB.s3db")));
    EXPECT_EQ(folder.readBytes("EcomDB.s3db"), foreign);
    expectSettingsBoxesEmpty();
    EXPECT_FALSE(folder.isFile("libeay32.dll"));  // the later start-up steps are skipped
    EXPECT_FALSE(folder.isFile("SetManifest.ini"));
    EXPECT_EQ(fMain.settingsDatabase(), nullptr);
}

TEST_F(StartUpTest, AZeroByteDatabaseLeftByAKilledStartIsMadeAnew) {
    folder.writeBytes("EcomDB.s3db", "");

    TfMain& fMain = startWindow();

    EXPECT_TRUE(boxes.errors().empty()) << boxes.errorTexts().join('|').toStdString();
    ASSERT_NE(fMain.settingsDatabase(), nullptr);
    EXPECT_FALSE(fMain.settingsDatabase()->hasRow());
    EXPECT_FALSE(folder.readBytes("EcomDB.s3db").isEmpty());
}

TEST_F(StartUpTest, WindowWithoutDatabaseRefusesToEnterEditing) {
    folder.writeBytes("EcomDB.s3db", "not a database");
    TfMain& fMain = startWindow();
    boxes.clear();

    fMain.btnChangeSetting->click();

    ASSERT_EQ(boxes.errors().size(), 1u);
    EXPECT_TRUE(boxes.errors()[0].text.contains(QStringLiteral("is not open")));
    EXPECT_TRUE(fMain.btnChangeSetting->isEnabled());
    EXPECT_THROW(fMain.btnSaveSettingClick(), Error);
}

}  // namespace
}  // namespace norvan::app
