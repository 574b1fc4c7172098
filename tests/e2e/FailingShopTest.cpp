// The unattended mode against a shop that fails: orders reach the accounting program once each,
// and every product ends at the newest values the accounting program gave for it.
#include "UnattendedFixture.h"

#include <algorithm>
#include <random>

namespace norvan::app {
namespace {

using sampleshop::Fault;
using sampleshop::RecordedRequest;

using FailingShopTest = testing::UnattendedFixture;

// The product run sends line by line (false) or in batches (true).
class ShareOfRequestsFailingTest : public testing::UnattendedFixture,
                                   public ::testing::WithParamInterface<bool> {};

INSTANTIATE_TEST_SUITE_P(ProductRuns, ShareOfRequestsFailingTest, ::testing::Bool(),
                         [](const auto& test) { return test.param ? "InBatches" : "LineByLine"; });

TEST_P(ShareOfRequestsFailingTest, OrdersArriveOnceAndProductsAtTheirNewestValues) {
    const std::vector<std::string> skus{"A-1", "A-2", "B-7", "C 10", "D-3/x", "E+5"};
    std::vector<long long> orders{15, 16, 17, 18};
    std::mt19937 draws(20240305);
    if (GetParam()) folder.writeBytes("SetManifest.ini", "[Setting]\r\nBatch=1\r\n");
    shop.setFaultRate(0.15, 7);
    startWindow();  // the first cycle runs at start-up
    waitForRuns();

    // Between cycles an order may come in and the accounting program may drop a product file.
    constexpr int kCycles = 20;
    for (int cycle = 1; cycle <= kCycles; ++cycle) {
        SCOPED_TRACE(cycle);
        if (draws() % 2 == 0) {
            orders.push_back(100 + cycle);
            addOrder(orders.back());
        }
        if (draws() % 3 != 0) {
            QStringList lines;
            for (const std::string& sku : skus)
                if (draws() % 4 != 0) lines.append(productLine(sku, cycle * 10, cycle * 1000));
            dropProductFile(QStringLiteral("P_%1.ecom").arg(cycle, 3, 10, QChar(u'0')), lines);
        }
        runCycle();
        expectNothingLostOrDoubled(orders);
    }
    shop.setFaultRate(0, 0);
    runCycle();
    runCycle();

    EXPECT_TRUE(boxes.errors().empty());
    expectEverythingDelivered(orders);
    EXPECT_EQ(orderStatus(19), "completed");  // never in the listed status: never exported
    EXPECT_EQ(std::ranges::any_of(shop.requests(),
                                  [](const RecordedRequest& request) {
                                      return request.target.ends_with("/products/batch");
                                  }),
              GetParam());
}

TEST_F(FailingShopTest, AnOrderWhoseStatusChangeAlwaysFailsIsWrittenOnceAndMovedOnceItSucceeds) {
    shop.setRequestHook([](const RecordedRequest& request) {
        return request.method == "PUT" && request.target.starts_with("/wp-json/wc/v3/orders/17/")
                   ? Fault::Status500
                   : Fault::None;
    });
    startWindow();
    waitForRuns();
    for (int cycle = 0; cycle < 4; ++cycle) runCycle();

    EXPECT_EQ(orderFileCounts(),
              (std::map<QString, int>{{"15", 1}, {"16", 1}, {"17", 1}, {"18", 1}}));
    EXPECT_EQ(orderStatus(17), "processing");
    const QStringList files = orderFiles();

    shop.setRequestHook({});
    runCycle();
    EXPECT_EQ(orderFiles(), files);
    expectEverythingDelivered({15, 16, 17, 18});
}

}  // namespace
}  // namespace norvan::app
