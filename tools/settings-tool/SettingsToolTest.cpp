#include "settings/IniFile.h"
#include "settings/SettingsDatabase.h"

#include <gtest/gtest.h>
#include <signal.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <chrono>
#include <thread>

using namespace norvan::settings;

namespace {

int runTool(const QStringList& arguments) {
    QProcess tool;
    tool.start(QStringLiteral(SETTINGS_TOOL_PATH), arguments);
    if (!tool.waitForFinished(30000)) return -1;
    return tool.exitCode();
}

}  // namespace

TEST(SettingsTool, WritesTheRowAndIniAsSaveDoesAndKeepsWhatIsNotGiven) {
    QTemporaryDir folder;
    ASSERT_EQ(runTool({"--folder", folder.path(), "--ecom-url", "http://127.0.0.1:1/wp-json/wc/v3",
                       "--user", "ck", "--password", "cs", "--consumer-keys", "1", "--sleep", "5",
                       "--batch", "1", "--order-fields", "id;total;"}),
              0);
    ASSERT_EQ(runTool({"--folder", folder.path(), "--status-from", "processing"}), 0);

    SettingsDatabase database(folder.filePath("EcomDB.s3db"));
    const SettingsRow row = database.firstRow().value();
    EXPECT_EQ(row.ecomUrl, "http://127.0.0.1:1/wp-json/wc/v3/");
    EXPECT_EQ(row.tokenUrl, "/");  // an empty address box is saved as "/"
    EXPECT_EQ(row.siteUser, "ck");
    EXPECT_TRUE(row.consKey);
    EXPECT_EQ(row.statusAz, "processing");
    EXPECT_EQ(row.ordParams, "id;total;");
    const QString ini = folder.filePath("SetManifest.ini");
    EXPECT_EQ(IniReadWrite(ini, "Setting", "Sleep", "", IniAccess::Read), "5");
    EXPECT_EQ(IniReadWrite(ini, "Setting", "DexarCod", "", IniAccess::Read), "0");
    EXPECT_EQ(IniReadWrite(ini, "Setting", "Batch", "", IniAccess::Read), "1");
}

TEST(SettingsTool, RefusesBadInputWithoutWriting) {
    QTemporaryDir folder;
    EXPECT_EQ(runTool({"--folder", folder.path(), "--automatic", "maybe"}), 1);
    EXPECT_EQ(runTool({"--folder", folder.path(), "--batch", "2"}), 1);
    EXPECT_EQ(runTool({"--folder", folder.filePath("missing")}), 1);
    EXPECT_FALSE(QFile::exists(folder.filePath("SetManifest.ini")));
}

// Killed at any instant of a first start, the tool leaves either no database or a whole one, and
// the next start opens the folder and leaves nothing of the killed creation behind.
TEST(SettingsTool, AFirstStartKilledAtAnyInstantLeavesTheFolderUsable) {
    const QStringList settings{"--status-from", "processing", "--sleep", "5"};
    std::chrono::nanoseconds wholeRun{};
    {
        QTemporaryDir folder;
        QElapsedTimer timer;
        timer.start();
        ASSERT_EQ(runTool(QStringList{"--folder", folder.path()} + settings), 0);
        wholeRun = std::chrono::nanoseconds(timer.nsecsElapsed());
    }
    // The kill moments are spread evenly over one whole run, from its very start.
    constexpr int kRounds = 40;
    for (int round = 0; round < kRounds; ++round) {
        SCOPED_TRACE(round);
        QTemporaryDir folder;
        QProcess tool;
        tool.start(QStringLiteral(SETTINGS_TOOL_PATH),
                   QStringList{"--folder", folder.path()} + settings);
        ASSERT_TRUE(tool.waitForStarted());
        std::this_thread::sleep_for(wholeRun * round / kRounds);
        ::kill(pid_t(tool.processId()), SIGKILL);
        tool.waitForFinished();

        const QFileInfo database(folder.filePath("EcomDB.s3db"));
        if (database.exists()) {
            EXPECT_GT(database.size(), 0);
        }
        EXPECT_NO_THROW(SettingsDatabase(database.filePath()).firstRow());
        // A database being made carries a name of its own beginning with ".EcomDB.s3db.".
        EXPECT_EQ(QDir(folder.path()).entryList({".EcomDB.s3db.*"}, QDir::Files | QDir::Hidden),
                  QStringList{});
    }
}

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
