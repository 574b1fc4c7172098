// The library files written beside the program: written when missing, never replaced.
#include "app/ResourceFile.h"
#include "common/Error.h"
#include "support/ExpectError.h"
#include "support/WindowFixture.h"

#include <QFile>

namespace norvan::app {
namespace {

QByteArray resourceBytes(const QString& name) {
    QFile resource(QStringLiteral(":/rcdata/") + name);
    return resource.open(QIODevice::ReadOnly) ? resource.readAll() : QByteArray();
}

class ResourceFileTest : public ::testing::Test {
  protected:
    testing::TempProgramFolder folder;
};

TEST_F(ResourceFileTest, MissingFileIsWrittenWithTheResourceBytes) {
    const QByteArray expected = resourceBytes(QStringLiteral("probe"));
    ASSERT_GT(expected.size(), 1024 * 1024);  // more than one copy buffer

    ExtractResourceFile(QStringLiteral("probe"), folder.filePath("probe.dll"));

    EXPECT_EQ(folder.readBytes("probe.dll"), expected);
}

TEST_F(ResourceFileTest, APartFileLeftByAKilledStartIsWrittenAgainAndNoPartIsLeft) {
    folder.writeBytes("probe.dll.part", "the first 7 bytes");

    ExtractResourceFile(QStringLiteral("probe"), folder.filePath("probe.dll"));

    EXPECT_EQ(folder.readBytes("probe.dll"), resourceBytes(QStringLiteral("probe")));
    EXPECT_FALSE(QFile::exists(folder.filePath("probe.dll.part")));
}

TEST_F(ResourceFileTest, ExistingFileIsNeverReplaced) {
    for (const QByteArray& existing : {QByteArray(), QByteArray("older content")}) {
        folder.writeBytes("probe.dll", existing);
        ExtractResourceFile(QStringLiteral("probe"), folder.filePath("probe.dll"));
        EXPECT_EQ(folder.readBytes("probe.dll"), existing);
    }
}

TEST_F(ResourceFileTest, DirectoryOfThatNameMakesCreationFail) {
    folder.makeFolder("probe.dll");
    EXPECT_ERROR_STARTING_WITH(
        ExtractResourceFile(QStringLiteral("probe"), folder.filePath("probe.dll")),
        QStringLiteral("Cannot create file \"%1\". ").arg(folder.filePath("probe.dll")));
}

TEST_F(ResourceFileTest, ResourceTheProgramLacksIsAnError) {
    EXPECT_FALSE(hasDataResource(QStringLiteral("absent")));
    EXPECT_THROW(ExtractResourceFile(QStringLiteral("absent"), folder.filePath("absent.dll")),
                 Error);
    EXPECT_FALSE(folder.isFile("absent.dll"));
}

class LibraryFilesAtStartTest : public testing::WindowFixture {};

TEST_F(LibraryFilesAtStartTest, StartWritesBothLibraryFiles) {
    startWindow();
    EXPECT_EQ(folder.readBytes("libeay32.dll"), resourceBytes(QStringLiteral("libeay32")));
    EXPECT_EQ(folder.readBytes("ssleay32.dll"), resourceBytes(QStringLiteral("ssleay32")));
    EXPECT_TRUE(boxes.errors().empty());
}

TEST_F(LibraryFilesAtStartTest, FirstFileFailingIsReportedAndSecondNotAttempted) {
    folder.makeFolder("libeay32.dll");
    startWindow();
    ASSERT_EQ(boxes.errors().size(), 1u);
    EXPECT_TRUE(boxes.errors()[0].text.startsWith(
        QStringLiteral("Cannot create file \"%1\".").arg(folder.filePath("libeay32.dll"))));
    EXPECT_FALSE(folder.isFile("ssleay32.dll"));
}

}  // namespace
}  // namespace norvan::app
