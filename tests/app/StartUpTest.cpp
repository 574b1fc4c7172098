// Start-up of the window in a program folder.
#include "app/AppVersion.h"
#include "common/Error.h"
#include "settings/SettingsDatabase.h"
#include "support/WindowFixture.h"

#include <sqlite3.h>

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <memory>

namespace norvan::app {
namespace {

// An encrypted database holding one empty table, as another tool might leave it.
void writeDatabase(const QString& path, const char* key, const char* table) {
    sqlite3* raw = nullptr;
    sqlite3_open_v2(QFile::encodeName(path).constData(), &raw,
                    SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    const std::unique_ptr<sqlite3, decltype(&sqlite3_close)> db(raw, &sqlite3_close);
    const QByteArray sql = QStringLiteral("PRAGMA key = '%1'; CREATE TABLE %2 (TokenURL)")
                               .arg(QString::fromLatin1(key), QString::fromLatin1(table))
                               .toUtf8();
    ASSERT_EQ(sqlite3_exec(raw, sql.constData(), nullptr, nullptr, nullptr), SQLITE_OK)
        << sqlite3_errmsg(raw);
}

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
    // The build gives the program the project version of the root CMakeLists.txt.
    const QStringList version = QStringLiteral(NORVAN_PROJECT_VERSION).split(u'.');
    ASSERT_EQ(version.size(), 4) << NORVAN_PROJECT_VERSION;
    EXPECT_EQ(fMain.statusPanelText(0), QStringLiteral("Ver %1.%2.%3 build %4")
                                            .arg(version[0], version[1], version[2], version[3]));
    EXPECT_EQ(fMain.statusPanelText(1), "");
    EXPECT_EQ(fMain.statusPanelText(2), "");
}

TEST_F(StartUpTest, UnreadableDatabaseIsReportedAndStartUpStopsThere) {
    const struct {
        const char* what;
        std::function<void()> make;
        QString message;
    } cases[] = {
        {"garbage bytes",
         [this] { folder.writeBytes("EcomDB.s3db", "this is no database of ours, just bytes"); },
         "is not a database at all. (file is encrypted or is not a database)"},
        {"another password",
         [this] { writeDatabase(folder.filePath("EcomDB.s3db"), "not ours", "Settings"); },
         "cannot be read with this program's key: it was encrypted with another key, or it is "
         "not this program's database. (file is encrypted or is not a database)"},
        {"no Settings table",
         [this] { writeDatabase(folder.filePath("EcomDB.s3db"), "!%Kestrel9", "Other"); },
         "is not this program's database: it has no usable Settings table. (no such table: "
         "Settings)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(folder.filePath("EcomDB.s3db"));
        c.make();
        const QByteArray before = folder.readBytes("EcomDB.s3db");
        boxes.clear();

        TfMain& fMain = startWindow();

        EXPECT_EQ(boxes.errorTexts(), QStringList(QStringLiteral("The settings database \"%1\" ")
                                                      .arg(folder.filePath("EcomDB.s3db")) +
                                                  c.message));
        EXPECT_EQ(folder.readBytes("EcomDB.s3db"), before);
        expectSettingsBoxesEmpty();
        EXPECT_FALSE(folder.isFile("libeay32.dll"));  // the later start-up steps are skipped
        EXPECT_FALSE(folder.isFile("SetManifest.ini"));
        EXPECT_EQ(fMain.settingsDatabase(), nullptr);
    }
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
