#include "IniFile.h"

#include "common/Error.h"

#include "support/ExpectError.h"
#include "support/Printers.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QFile>
#include <QTemporaryDir>

using norvan::Error;
using norvan::settings::IniAccess;
using norvan::settings::IniReadWrite;

namespace {

class IniFileTest : public ::testing::Test {
  protected:
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("SetManifest.ini"));

    void setFile(const QByteArray& bytes) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray file() const {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QString read(const QString& section, const QString& key) const {
        return IniReadWrite(path, section, key, {}, IniAccess::Read);
    }
    QString write(const QString& section, const QString& key, const QString& value) const {
        return IniReadWrite(path, section, key, value, IniAccess::Write);
    }
};

TEST_F(IniFileTest, TheFirstWriteCreatesFileAndSection) {
    EXPECT_EQ(read("Setting", "DexarCod"), "");
    EXPECT_FALSE(QFile::exists(path));

    EXPECT_EQ(write("Setting", "DexarCod", "0"), "0");
    EXPECT_EQ(file(), "[Setting]\r\nDexarCod=0\r\n");
    EXPECT_EQ(write("Setting", "Sleep", ""), "");
    EXPECT_EQ(file(), "[Setting]\r\nDexarCod=0\r\nSleep=\r\n");
}

TEST_F(IniFileTest, WritesChangeOnlyTheirKeyAndKeepEveryOtherLine) {
    setFile(
        "; kept comment\r\n"
        "[Other]\r\n"
        "Sleep=other\r\n"
        "\r\n"
        "[ setting ]\r\n"
        "  SLEEP =  5\r\n"
        "loose line\r\n"
        "\r\n"
        "[Last]\r\n"
        "x=1");
    EXPECT_EQ(read("Setting", "sleep"), "5");
    EXPECT_EQ(write("SETTING", "Sleep", "10"), "10");
    EXPECT_EQ(write("Setting", "Interval", "3"), "3");
    EXPECT_EQ(write("New", "Key", "v"), "v");
    EXPECT_EQ(file(),
              "; kept comment\r\n"
              "[Other]\r\n"
              "Sleep=other\r\n"
              "\r\n"
              "[ setting ]\r\n"
              "SLEEP=10\r\n"
              "loose line\r\n"
              "Interval=3\r\n"
              "\r\n"
              "[Last]\r\n"
              "x=1\r\n"
              "\r\n"
              "[New]\r\n"
              "Key=v\r\n");
}

TEST_F(IniFileTest, ReadsAsTheProfileFunctionsDo) {
    const QString longValue(3000, u'v');
    setFile(QByteArray("[Setting]\r\n") +
            "Blanks=  a b  \r\n"
            "Quoted=\"  q  \"\r\n"
            "Single='s'\r\n"
            "Unbalanced=\"u\r\n"
            "Long=" +
            longValue.toLatin1() +
            "\r\n"
            "Twice=first\r\n"
            "Twice=second\r\n"
            "[Setting]\r\n"
            "Later=hidden by the first section\r\n");
    const struct {
        const char* key;
        QString expected;
    } cases[] = {
        {"Blanks", "a b"},
        {"Quoted", "  q  "},
        {"Single", "s"},
        {"Unbalanced", "\"u"},
        {"Long", longValue.left(2047)},
        {"Twice", "first"},
        {"Later", ""},
        {"Missing", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(read("Setting", c.key), c.expected) << c.key;
    EXPECT_EQ(read("Absent", "Blanks"), "");
}

TEST_F(IniFileTest, TextIsWrittenInTheAccountingCodePage) {
    EXPECT_EQ(write("Setting", "DexarCod", QStringLiteral("سلام")), QStringLiteral("سلام"));
    EXPECT_EQ(file(), "[Setting]\r\nDexarCod=\xD3\xE1\xC7\xE3\r\n");
    EXPECT_EQ(read("Setting", "DexarCod"), QStringLiteral("سلام"));
}

TEST_F(IniFileTest, AFileWithAByteOrderMarkKeepsItsEncoding) {
    setFile("\xEF\xBB\xBF[Setting]\r\nName=\xD8\xA2\r\n");
    EXPECT_EQ(read("Setting", "Name"), QStringLiteral("آ"));
    write("Setting", "Sleep", QStringLiteral("€"));
    EXPECT_EQ(file(), "\xEF\xBB\xBF[Setting]\r\nName=\xD8\xA2\r\nSleep=\xE2\x82\xAC\r\n");
}

TEST_F(IniFileTest, DeleteRemovesTheKeyAndReturnsItsValue) {
    setFile("[Setting]\r\nSleep=5\r\nInterval=2\r\n");
    EXPECT_EQ(IniReadWrite(path, "Setting", "sleep", {}, IniAccess::Delete), "5");
    EXPECT_EQ(file(), "[Setting]\r\nInterval=2\r\n");
}

TEST_F(IniFileTest, AnUnwritableFileIsReportedWithItsFullPath) {
    setFile("not a folder");
    const QString inside = path + "/SetManifest.ini";
    EXPECT_ERROR(IniReadWrite(inside, "Setting", "Sleep", "1", IniAccess::Write),
                 "Unable to write to " + inside);
}

TEST_F(IniFileTest, AReadOnlyFileIsLeftAsItWas) {
    setFile("[Setting]\r\nSleep=5\r\n");
    QFile::setPermissions(path, QFile::ReadOwner);
    if (access(QFile::encodeName(path).constData(), W_OK) == 0)
        GTEST_SKIP() << "file permissions are not enforced for this user";
    EXPECT_THROW(write("Setting", "Sleep", "6"), Error);
    EXPECT_EQ(file(), "[Setting]\r\nSleep=5\r\n");
}

}  // namespace
