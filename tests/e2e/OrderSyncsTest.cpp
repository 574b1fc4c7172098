// What has to outlast a power cut: before an order's status change is sent, its file, the folder
// that names it and the journal's record of that name are on disk.
#include "TestFileSystem.h"
#include "UnattendedFixture.h"

#include <QScopeGuard>
#include <map>
#include <mutex>

namespace norvan::app {
namespace {

using OrderSyncsTest = testing::UnattendedFixture;

// The position of the first of paths, from `from` on, that ends with ending; -1 when none does.
qsizetype firstEndingWith(const QStringList& paths, const QString& ending, qsizetype from) {
    for (qsizetype index = std::max<qsizetype>(from, 0); index < paths.size(); ++index)
        if (paths[index].endsWith(ending)) return index;
    return -1;
}

TEST_F(OrderSyncsTest, BeforeItsStatusChangeAnOrdersFileAndItsRecordAreOnDisk) {
    std::mutex mutex;
    std::map<std::string, QStringList> syncedBefore;  // by the status change's target
    shop.setRequestHook([&](const sampleshop::RecordedRequest& request) {
        if (request.method == "PUT") {
            const std::lock_guard lock(mutex);
            syncedBefore[request.target] = testing::fileSystem::takeSyncedPaths();
        }
        return sampleshop::Fault::None;
    });
    testing::fileSystem::recordSyncs(folder.path());
    const auto stop = qScopeGuard([] { testing::fileSystem::giveSpaceBack(); });
    startWindow();  // the first cycle runs at start-up
    waitForRuns();
    shop.setRequestHook({});

    expectEverythingDelivered({15, 16, 17, 18});
    const std::lock_guard lock(mutex);
    ASSERT_EQ(syncedBefore.size(), 4u);
    for (const auto& [target, synced] : syncedBefore) {
        SCOPED_TRACE(target);
        // The part file's text, then the record of the name it is given, then the folder that
        // holds that name.
        const qsizetype file = firstEndingWith(synced, ".part", 0);
        const qsizetype record = firstEndingWith(synced, "/EcomDB.s3db-wal", file);
        const qsizetype name = firstEndingWith(synced, "/Orders", record);
        EXPECT_TRUE(file >= 0 && record > file && name > record)
            << synced.join(u'\n').toStdString();
    }
}

}  // namespace
}  // namespace norvan::app
