// What has to outlast a power cut: before an order's status change is sent, its file, the folder
// that names it and the journal's record of that name are on disk; before a product file is
// deleted, its lines are.
#include "TestFileSystem.h"
#include "UnattendedFixture.h"

#include <QScopeGuard>
#include <map>
#include <mutex>
#include <optional>

namespace norvan::app {
namespace {

using PowerCutSyncsTest = testing::UnattendedFixture;

// The position of the first of paths, from `from` on, that ends with ending; -1 when none does.
qsizetype firstEndingWith(const QStringList& paths, const QString& ending, qsizetype from) {
    for (qsizetype index = std::max<qsizetype>(from, 0); index < paths.size(); ++index)
        if (paths[index].endsWith(ending)) return index;
    return -1;
}

TEST_F(PowerCutSyncsTest, BeforeItsStatusChangeAnOrdersFileAndItsRecordAreOnDisk) {
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

TEST_F(PowerCutSyncsTest, AProductFileIsDeletedOnlyOnceItsLinesAreOnDisk) {
    startWindow();
    waitForRuns();
    const QString file = QStringLiteral("Products/P_001.ecom");
    std::mutex mutex;
    std::optional<QStringList> syncedBeforeFirstRequest;
    bool fileThere = true;
    shop.setRequestHook([&](const sampleshop::RecordedRequest& request) {
        const std::lock_guard lock(mutex);
        if (request.target.find("/products") != std::string::npos && !syncedBeforeFirstRequest) {
            syncedBeforeFirstRequest = testing::fileSystem::takeSyncedPaths();
            fileThere = folder.isFile(file);
        }
        return sampleshop::Fault::None;
    });
    testing::fileSystem::recordSyncs(folder.path());
    const auto stop = qScopeGuard([] { testing::fileSystem::giveSpaceBack(); });
    dropProductFile(QStringLiteral("P_001.ecom"), {productLine("A-1", 25, 155000)});
    runCycle();
    shop.setRequestHook({});

    expectEverythingDelivered({15, 16, 17, 18});
    const std::lock_guard lock(mutex);
    ASSERT_TRUE(syncedBeforeFirstRequest);
    // The file was taken whole before the first request, its lines synced first.
    EXPECT_FALSE(fileThere);
    const QStringList& synced = *syncedBeforeFirstRequest;
    EXPECT_GE(firstEndingWith(synced, "/EcomDB.s3db-wal", 0), 0)
        << synced.join(u'\n').toStdString();
}

}  // namespace
}  // namespace norvan::app
