// The disk fills while an order is exported (while its file is written, while the journal is
// written, while the run is logged), then the space comes back: no order is ever in the target
// status without its file, and every order reaches the accounting program once.
#include "TestFileSystem.h"
#include "UnattendedFixture.h"

#include <QScopeGuard>

namespace norvan::app {
namespace {

using FullDiskTest = testing::UnattendedFixture;

TEST_F(FullDiskTest, WhereverTheDiskFillsNoOrderIsMovedWithoutItsFile) {
    std::vector<long long> orders{15, 16, 17, 18};
    startWindow();  // the first cycle runs at start-up
    waitForRuns();
    const auto spaceBack = qScopeGuard([] { testing::fileSystem::giveSpaceBack(); });
    // Every write of a cycle in turn is the first that finds the disk full, until a cycle is
    // over before its chosen write.
    for (long write = 1;; ++write) {
        SCOPED_TRACE(write);
        orders.push_back(100 + write);
        addOrder(orders.back());
        testing::fileSystem::fillAt(folder.path(), write);
        runCycle();
        const bool filled = testing::fileSystem::filled();
        testing::fileSystem::giveSpaceBack();
        expectNothingLostOrDoubled(orders);

        runCycle();
        expectEverythingDelivered(orders);
        if (!filled || HasFailure()) break;
    }
    EXPECT_TRUE(boxes.errors().empty());
}

}  // namespace
}  // namespace norvan::app
