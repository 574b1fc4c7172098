// The settings page over the settings database and SetManifest.ini.
#include "app/ListItems.h"
#include "settings/IniFile.h"
#include "settings/SettingsDatabase.h"
#include "support/SettingsSeed.h"
#include "support/WindowFixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScopeGuard>
#include <QStyle>
#include <QStyleFactory>
#include <QTimer>

namespace norvan::app {
namespace {

settings::SettingsRow seededRow() {
    settings::SettingsRow row;
    row.tokenUrl = QStringLiteral("https://token.example/");
    // A loopback port nobody serves: the cycle that the stored mode arms finds no shop.
    row.ecomUrl = QStringLiteral("http://127.0.0.1:9/wp-json/wc/v3/");
    row.siteUser = QStringLiteral("ck_user");
    row.sitePass = QStringLiteral("cs_secret");
    row.prodRes = QStringLiteral("products/");
    row.orderRes = QStringLiteral("orders/");
    row.ordParams = QStringLiteral("id;billing/first_name;");
    row.itemParams = QStringLiteral("sku;quantity");
    row.itemTitle = QStringLiteral("line_items");
    row.automatic = true;
    row.statusAz = QStringLiteral("processing");
    row.statusTo = QStringLiteral("completed");
    row.consKey = true;
    return row;
}

class SettingsPageTest : public testing::WindowFixture {
  protected:
    QString iniValue(const char* key) {
        return settings::IniReadWrite(folder.filePath("SetManifest.ini"), QStringLiteral("Setting"),
                                      QString::fromLatin1(key), {}, settings::IniAccess::Read);
    }
    settings::SettingsRow storedRow() {
        return settings::SettingsDatabase(folder.filePath("EcomDB.s3db")).firstRow().value();
    }
};

TEST_F(SettingsPageTest, StoredRowFillsTheBoxesAndDexarCodDefaultsToZero) {
    seedSettings(folder, seededRow());
    TfMain& fMain = startWindow();

    EXPECT_TRUE(boxes.errors().empty()) << boxes.errorTexts().join('|').toStdString();
    EXPECT_EQ(fMain.edtTokenURL->text(), "https://token.example/");
    EXPECT_EQ(fMain.edtEComURL->text(), "http://127.0.0.1:9/wp-json/wc/v3/");
    EXPECT_EQ(fMain.edtUser->text(), "ck_user");
    EXPECT_EQ(fMain.edtPassword->text(), "cs_secret");
    EXPECT_EQ(fMain.edtProductRes->text(), "products/");
    EXPECT_EQ(fMain.edtOrderRes->text(), "orders/");
    EXPECT_EQ(fMain.edtTitleWebItem->text(), "line_items");
    EXPECT_EQ(fMain.edtStatusAz->text(), "processing");
    EXPECT_EQ(fMain.edtStatusTo->text(), "completed");
    EXPECT_TRUE(fMain.chbAutomat->isChecked());
    EXPECT_TRUE(fMain.chbConKey->isChecked());
    EXPECT_FALSE(fMain.chbBatch->isChecked());  // no Batch key: line by line
    EXPECT_EQ(listItems(*fMain.lstHeadToDexar), QStringList({"id", "billing/first_name"}));
    EXPECT_EQ(listItems(*fMain.lstItemToDexar), QStringList({"sku", "quantity"}));
    EXPECT_TRUE(listItems(*fMain.lstWooProduct).isEmpty());

    EXPECT_EQ(fMain.edtTranCod->text(), "0");
    EXPECT_EQ(iniValue("DexarCod"), "0");
    // Arming fills the period box, but the file keeps no Sleep key.
    EXPECT_EQ(fMain.edtSleepInterval->text(), "60");
    EXPECT_EQ(fMain.tCheckTime->interval(), 3600000);
    EXPECT_FALSE(folder.readBytes("SetManifest.ini").contains("Sleep"));
    EXPECT_FALSE(fMain.lWarning->isHidden());
}

TEST_F(SettingsPageTest, IniValuesFillTheirBoxesAndSetThePeriod) {
    seedSettings(folder, seededRow());
    folder.writeBytes("SetManifest.ini",
                      "[Setting]\r\nSleep=5\r\nInterval=7\r\nDexarCod=12\r\nBatch=1\r\n");
    TfMain& fMain = startWindow();

    EXPECT_EQ(fMain.edtSleepInterval->text(), "5");
    EXPECT_EQ(fMain.edtTimerInterval->text(), "7");
    EXPECT_EQ(fMain.edtTranCod->text(), "12");
    EXPECT_TRUE(fMain.chbBatch->isChecked());
    EXPECT_EQ(fMain.tCheckTime->interval(), 300000);
}

TEST_F(SettingsPageTest, RefusedPeriodIsReportedFromTheFileAndFromTheBoxAndArmsNothing) {
    const QString notWhole = QStringLiteral(
        "'%1' is not a valid integer value: the period between unattended cycles (Sleep in "
        "SetManifest.ini) must be a whole number of minutes.");
    const QString negative = QStringLiteral(
        "The period between unattended cycles cannot be negative: Sleep in SetManifest.ini is %1 "
        "minutes.");
    const struct {
        QString sleep;
        QString message;
    } cases[] = {
        {"abc", notWhole.arg("abc")},
        {"1.5", notWhole.arg("1.5")},
        {"-5", negative.arg("-5")},
    };
    seedSettings(folder, seededRow());  // the mode on: a period taken would start a cycle
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sleep.toStdString());
        folder.writeBytes("SetManifest.ini", "[Setting]\r\nSleep=" + c.sleep.toLatin1() + "\r\n");
        boxes.clear();
        TfMain& fMain = startWindow();
        EXPECT_EQ(boxes.errorTexts(), QStringList(c.message));
        EXPECT_TRUE(fMain.lWarning->isHidden());
        EXPECT_FALSE(fMain.tCheckTime->isActive());

        // Pasted into the box (typing takes digits only) and saved.
        fMain.btnChangeSettingClick();
        fMain.edtSleepInterval->setText(QStringLiteral("7"));
        fMain.btnSaveSettingClick();
        ASSERT_EQ(fMain.tCheckTime->interval(), 7 * 60000);
        fMain.btnChangeSettingClick();
        fMain.edtSleepInterval->setText(c.sleep);
        boxes.clear();
        fMain.btnSaveSetting->click();
        EXPECT_EQ(boxes.errorTexts(), QStringList(c.message));
        EXPECT_EQ(iniValue("Sleep"), c.sleep);
        EXPECT_EQ(fMain.tCheckTime->interval(), 7 * 60000);
        EXPECT_FALSE(fMain.tCheckTime->isActive());
        EXPECT_TRUE(fMain.lWarning->isHidden());
    }
}

TEST_F(SettingsPageTest, ChangeThenSaveWithEmptyBoxesStoresSlashAddresses) {
    TfMain& fMain = startWindow();
    fMain.btnChangeSetting->click();
    EXPECT_TRUE(fMain.gbRestSetting->isEnabled());
    EXPECT_TRUE(fMain.btnSaveSetting->isEnabled());
    EXPECT_FALSE(fMain.btnChangeSetting->isEnabled());

    fMain.btnSaveSetting->click();

    EXPECT_TRUE(boxes.errors().empty()) << boxes.errorTexts().join('|').toStdString();
    settings::SettingsRow expected;
    expected.tokenUrl = expected.ecomUrl = expected.prodRes = expected.orderRes =
        QStringLiteral("/");
    EXPECT_EQ(storedRow(), expected);
    for (QLineEdit* address :
         {fMain.edtTokenURL, fMain.edtEComURL, fMain.edtProductRes, fMain.edtOrderRes})
        EXPECT_EQ(address->text(), "/");
    const QByteArray ini = folder.readBytes("SetManifest.ini");
    for (const char* key : {"Sleep=", "Interval=", "DexarCod="}) EXPECT_TRUE(ini.contains(key));
    for (const char* key : {"Sleep", "Interval", "DexarCod"}) EXPECT_EQ(iniValue(key), "");
    EXPECT_EQ(iniValue("Batch"), "0");
    EXPECT_FALSE(fMain.gbRestSetting->isEnabled());
    EXPECT_FALSE(fMain.btnSaveSetting->isEnabled());
    EXPECT_TRUE(fMain.btnChangeSetting->isEnabled());
    EXPECT_TRUE(fMain.lWarning->isHidden());
}

TEST_F(SettingsPageTest, SavedBoxesComeBackAtTheNextStart) {
    TfMain& first = startWindow();
    first.btnChangeSettingClick();
    first.edtTokenURL->setText(QStringLiteral("abc"));
    first.edtEComURL->setText(QStringLiteral("https://shop.example/"));
    first.edtUser->setText(QStringLiteral("user"));
    first.edtPassword->setText(QStringLiteral("pass word"));
    first.edtProductRes->setText(QStringLiteral("//"));
    first.edtOrderRes->setText(QStringLiteral("orders"));
    first.edtTitleWebItem->setText(QStringLiteral("line_items"));
    first.edtStatusAz->setText(QStringLiteral("processing"));
    first.edtStatusTo->setText(QStringLiteral("completed"));
    first.edtSleepInterval->setText(QStringLiteral("15"));
    first.edtTimerInterval->setText(QStringLiteral("3"));
    first.edtTranCod->setText(QStringLiteral("44"));
    first.chbConKey->setChecked(true);
    first.chbBatch->setChecked(true);
    first.btnSaveSettingClick();
    EXPECT_EQ(iniValue("Batch"), "1");

    TfMain& next = startWindow();
    const std::pair<QLineEdit*, const char*> expected[] = {
        {next.edtTokenURL, "abc/"},
        {next.edtEComURL, "https://shop.example/"},
        {next.edtUser, "user"},
        {next.edtPassword, "pass word"},
        {next.edtProductRes, "//"},
        {next.edtOrderRes, "orders/"},
        {next.edtTitleWebItem, "line_items"},
        {next.edtStatusAz, "processing"},
        {next.edtStatusTo, "completed"},
        {next.edtSleepInterval, "15"},
        {next.edtTimerInterval, "3"},
        {next.edtTranCod, "44"},
    };
    for (const auto& [box, text] : expected)
        EXPECT_EQ(box->text(), QString::fromLatin1(text)) << box->objectName().toStdString();
    EXPECT_FALSE(next.chbAutomat->isChecked());
    EXPECT_TRUE(next.chbConKey->isChecked());
    EXPECT_TRUE(next.chbBatch->isChecked());
    EXPECT_EQ(next.tCheckTime->interval(), 15 * 60000);
}

TEST_F(SettingsPageTest, UnwritableIniIsReportedAfterTheRowIsStored) {
    TfMain& fMain = startWindow();
    fMain.btnChangeSettingClick();
    fMain.edtUser->setText(QStringLiteral("kept user"));
    fMain.chbAutomat->setChecked(true);
    folder.makeFolder("SetManifest.ini");

    fMain.btnSaveSetting->click();

    EXPECT_EQ(
        boxes.errorTexts(),
        QStringList(
            QStringLiteral("Unable to write to %1.").arg(folder.filePath("SetManifest.ini"))));
    EXPECT_EQ(storedRow().siteUser, "kept user");
    EXPECT_FALSE(fMain.btnSaveSetting->isEnabled());
    EXPECT_TRUE(fMain.lWarning->isHidden());  // arming is skipped
}

TEST_F(SettingsPageTest, ChangeStopsTheCycleAndHidesTheWarning) {
    seedSettings(folder, seededRow());
    TfMain& fMain = startWindow();
    fMain.tCheckTime->start();
    ASSERT_FALSE(fMain.lWarning->isHidden());

    fMain.btnChangeSettingClick();

    EXPECT_FALSE(fMain.tCheckTime->isActive());
    EXPECT_TRUE(fMain.lWarning->isHidden());
}

TEST_F(SettingsPageTest, ShowButtonTogglesThePasswordMasking) {
    TfMain& fMain = startWindow();
    fMain.edtPassword->setText(QStringLiteral("cs_1"));
    fMain.Button1->click();
    EXPECT_EQ(fMain.edtPassword->echoMode(), QLineEdit::Normal);
    EXPECT_EQ(fMain.edtPassword->displayText(), "cs_1");
    fMain.Button1->click();
    EXPECT_EQ(fMain.edtPassword->echoMode(), QLineEdit::Password);
    EXPECT_EQ(fMain.edtPassword->displayText(), "****");
    EXPECT_EQ(fMain.Button1->text(), "Show");
}

TEST_F(SettingsPageTest, PasswordIsMaskedWithStarsWhateverTheStyle) {
    const QString programStyle = QApplication::style()->name();
    const auto restore = qScopeGuard([&] { QApplication::setStyle(programStyle); });
    for (const QString& name : QStyleFactory::keys()) {
        QApplication::setStyle(name);
        TfMain& fMain = startWindow();
        fMain.edtPassword->setText(QStringLiteral("cs_1"));
        EXPECT_EQ(fMain.edtPassword->displayText(), "****") << name.toStdString();
    }
}

}  // namespace
}  // namespace norvan::app
