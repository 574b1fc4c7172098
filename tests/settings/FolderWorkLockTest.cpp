#include "settings/FolderWorkLock.h"
#include "support/ExpectError.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace norvan::settings {
namespace {

TEST(FolderWorkLockTest, OneHolderPerFolderWhicheverPathNamesIt) {
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath("program") && QDir(dir.path()).mkpath("other"));
    const QString folder = dir.filePath("program");
    ASSERT_TRUE(QFile::link(folder, dir.filePath("link")));

    auto first = std::make_unique<FolderWorkLock>(folder);
    ASSERT_TRUE(first->tryTake());
    EXPECT_TRUE(first->tryTake());  // held already
    FolderWorkLock second(folder + "/");
    FolderWorkLock throughLink(dir.filePath("link"));
    FolderWorkLock elsewhere(dir.filePath("other"));
    EXPECT_FALSE(second.tryTake());
    EXPECT_FALSE(throughLink.tryTake());
    EXPECT_FALSE(second.held());
    EXPECT_TRUE(elsewhere.tryTake());

    first.reset();  // the first copy ends
    EXPECT_TRUE(second.tryTake());
    EXPECT_FALSE(throughLink.tryTake());
}

TEST(FolderWorkLockTest, AFolderThatIsNotThereIsAnError) {
    QTemporaryDir dir;
    FolderWorkLock lock(dir.filePath("gone"));
    EXPECT_ERROR_STARTING_WITH(lock.tryTake(),
                               "Cannot tell whether another copy of the program works on \"" +
                                   dir.filePath("gone") + "\".");
}

}  // namespace
}  // namespace norvan::settings
