// The unattended product run against what real catalogues hold, and against answers that say
// nothing about the lines they were asked about.
#include "UnattendedFixture.h"

#include <algorithm>
#include <atomic>

namespace norvan::app {
namespace {

using sampleshop::Fault;
using sampleshop::RecordedRequest;

// The product run sends line by line (false) or in batches (true).
class CatalogueTest : public testing::UnattendedFixture,
                      public ::testing::WithParamInterface<bool> {
  protected:
    void SetUp() override {
        UnattendedFixture::SetUp();
        if (GetParam()) folder.writeBytes("SetManifest.ini", "[Setting]\r\nBatch=1\r\n");
    }

    bool sent(const std::string& method, const std::string& target) const {
        return std::ranges::any_of(shop.requests(), [&](const RecordedRequest& request) {
            return request.method == method && request.target == target;
        });
    }
};

INSTANTIATE_TEST_SUITE_P(ProductRuns, CatalogueTest, ::testing::Bool(),
                         [](const auto& test) { return test.param ? "InBatches" : "LineByLine"; });

// A variable product whose variations carry their own SKUs and stock, a SKU with the Persian Yeh
// (which a Windows-1256 file writes as the Arabic one), and a line in another letter case.
TEST_P(CatalogueTest, VariationsPersianSkusAndOtherLetterCasesAreUpdated) {
    shop.addProduct({{"id", 30},
                     {"name", "Shirt (sizes)"},
                     {"type", "variable"},
                     {"sku", "SHIRT"},
                     {"regular_price", ""},
                     {"manage_stock", true},
                     {"stock_quantity", 50},
                     {"variations", {31, 32}}});
    for (const auto& [id, size] : {std::pair{31, "S"}, std::pair{32, "M"}}) {
        shop.addProduct({{"id", id},
                         {"type", "variation"},
                         {"parent_id", 30},
                         {"sku", std::string("SHIRT-") + size},
                         {"regular_price", "100000"},
                         {"manage_stock", true},
                         {"stock_quantity", 5}});
    }
    shop.addProduct({{"id", 34}, {"name", "Green tea"}, {"sku", "چای-سبز"}});
    dropProductFile(QStringLiteral("P_001.ecom"),
                    {productLine("SHIRT-S", 11, 111000), productLine("SHIRT-M", 12, 112000),
                     QStringLiteral("SHIRT;40;1;0.3;120000;;0"), productLine("چای-سبز", 3, 90000),
                     QStringLiteral("b-7;9;1;0.5;77000;;0")});
    ASSERT_TRUE(folder.readBytes("Products/P_001.ecom").contains('\xED'));  // the one Yeh

    startWindow();
    waitForRuns();

    EXPECT_TRUE(boxes.errors().empty());
    expectEverythingDelivered({15, 16, 17, 18});
    EXPECT_EQ(shop.product(30)["stock_quantity"], 40);
    EXPECT_EQ(shop.product(12)["stock_quantity"], 9);
    EXPECT_EQ(shop.product(12)["sku"], "B-7");
    EXPECT_EQ(shop.product(34)["sku"], "چای-سبز");
    EXPECT_EQ(sent("PUT", "/wp-json/wc/v3/products/30/variations/31"), !GetParam());
    EXPECT_EQ(sent("POST", "/wp-json/wc/v3/products/30/variations/batch"), GetParam());
}

// A lookup answered 401 (a key revoked for a while) and, a cycle later, lookups answered with a
// web server's 404 page: the lines wait for the shop, and the newest of them arrive.
TEST_P(CatalogueTest, LinesAnsweredWithAKeyRefusalOrAMissingPageArriveInALaterCycle) {
    std::atomic<Fault> lookupFault = Fault::KeyRevoked;
    shop.setRequestHook([&lookupFault](const RecordedRequest& request) {
        return request.method == "GET" && request.target.starts_with("/wp-json/wc/v3/products?")
                   ? lookupFault.load()
                   : Fault::None;
    });
    const std::vector<std::string> skus{"A-1", "A-2", "B-7", "E+5"};
    QStringList lines;
    for (const std::string& sku : skus) lines.append(productLine(sku, 21, 2100));
    dropProductFile(QStringLiteral("P_001.ecom"), lines);
    startWindow();
    waitForRuns();
    EXPECT_EQ(keptProductLines(), lines);

    lookupFault = Fault::Html404;
    dropProductFile(QStringLiteral("P_002.ecom"), {productLine("A-2", 22, 2200)});
    runCycle();
    EXPECT_EQ(keptProductLines().size(), lines.size());
    expectNothingLostOrDoubled({});

    lookupFault = Fault::None;
    runCycle();
    EXPECT_TRUE(boxes.errors().empty());
    expectEverythingDelivered({15, 16, 17, 18});
    EXPECT_EQ(shop.product(11)["stock_quantity"], 22);
}

}  // namespace
}  // namespace norvan::app
