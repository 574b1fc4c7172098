#include "common/FileMove.h"
#include "support/ExpectError.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace norvan::common {
namespace {

QByteArray bytesOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

TEST(FileMove, GivesTheNameOnlyWhenNothingHasIt) {
    QTemporaryDir dir;
    const QString from = dir.filePath("new");
    const QString to = dir.filePath("placed");
    write(from, "first");
    EXPECT_TRUE(moveWithoutReplacing(from, to));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"placed"});

    write(from, "second");
    EXPECT_FALSE(moveWithoutReplacing(from, to));
    EXPECT_EQ(bytesOf(to), "first");
    EXPECT_EQ(bytesOf(from), "second");

    QDir(dir.path()).mkdir("folder");
    EXPECT_FALSE(moveWithoutReplacing(from, dir.filePath("folder")));
    EXPECT_EQ(bytesOf(from), "second");
}

TEST(FileMove, OtherFailuresNameTheTarget) {
    QTemporaryDir dir;
    const QString to = dir.filePath("placed");
    EXPECT_ERROR_STARTING_WITH(moveWithoutReplacing(dir.filePath("missing"), to),
                               "Cannot create file \"" + to + "\". ");
    EXPECT_FALSE(QFile::exists(to));
}

}  // namespace
}  // namespace norvan::common
