#include "settings/IniFile.h"
#include "settings/SettingsDatabase.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>

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
                       "--order-fields", "id;total;"}),
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
}

TEST(SettingsTool, RefusesBadInputWithoutWriting) {
    QTemporaryDir folder;
    EXPECT_EQ(runTool({"--folder", folder.path(), "--automatic", "maybe"}), 1);
    EXPECT_EQ(runTool({"--folder", folder.filePath("missing")}), 1);
    EXPECT_FALSE(QFile::exists(folder.filePath("SetManifest.ini")));
}

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
