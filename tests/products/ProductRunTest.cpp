#include "RecordingWindow.h"
#include "common/Error.h"
#include "products/ProductRun.h"
#include "settings/SettingsDatabase.h"
#include "tools/sample-shop/SampleShop.h"

#include <gtest/gtest.h>
#include <QTemporaryDir>
#include <map>

namespace norvan::products {
namespace {

using nlohmann::json;
using namespace std::chrono_literals;
using sampleshop::Fault;
using sampleshop::RecordedRequest;
using sampleshop::SampleShop;

json shopProduct(long long id, const std::string& sku, bool stockTracked = true) {
    return {{"id", id},
            {"name", "Product " + sku},
            {"sku", sku},
            {"type", "simple"},
            {"status", "publish"},
            {"price", "100"},
            {"regular_price", "100"},
            {"sale_price", ""},
            {"tax_status", "taxable"},
            {"weight", "1"},
            {"manage_stock", stockTracked},
            {"stock_quantity", stockTracked ? json(5) : json(nullptr)},
            {"stock_status", "instock"}};
}

// A product run over kept lines in a settings database of its own; pauses are recorded, not
// waited for.
class ProductRunFixture : public ::testing::Test {
  protected:
    ProductRunCounts run(const QStringList& lines, const QStringList& notes = {}) {
        ProductRun productRun(settings_, window_, kept_,
                              [this](auto pause) { pauses_.push_back(pause); });
        productRun.run(lines, notes);
        return productRun.counts();
    }
    QStringList keptLines() const {
        QStringList lines;
        for (const settings::KeptProductLine& line : kept_.lines()) lines.append(line.line);
        return lines;
    }

    QTemporaryDir dir_;
    settings::SettingsDatabase database_{dir_.path() + "/EcomDB.s3db"};
    settings::KeptProductLines kept_{database_.connection()};
    ProductRunSettings settings_{
        .connection = {.baseUrl = "http://127.0.0.1:9/wp-json/wc/v3/",
                       .user = "ck_4f1c2d0b8e7a6950c3b2a1d0e9f8a7b6c5d4e3f2",
                       .password = "cs_9a8b7c6d5e4f30211f2e3d4c5b6a79881a2b3c4d",
                       .oauth1 = false},
        .productRes = "products/",
        .addProducts = false};
    RecordingWindow window_;
    std::vector<std::chrono::milliseconds> pauses_;
};

class ProductRunAgainstShop : public ProductRunFixture {
  protected:
    // Starts a shop holding the products and points the run at it.
    SampleShop& seed(std::vector<json> products, sampleshop::Options options = {}) {
        shop_ = std::make_unique<SampleShop>(
            json{{"products", products}, {"orders", json::array()}}, std::move(options));
        shop_->start();
        settings_.connection.baseUrl = QString::fromStdString(shop_->baseUrl());
        return *shop_;
    }

    // Method and target of every request that reached the shop, e.g. "PUT /wp-json/wc/v3/x".
    std::vector<std::string> wire() const { return wireOf(*shop_); }
    static std::vector<std::string> wireOf(const SampleShop& shop) {
        std::vector<std::string> calls;
        for (const RecordedRequest& request : shop.requests())
            calls.push_back(request.method + ' ' + request.target);
        return calls;
    }
    std::vector<std::string> putBodies() const {
        std::vector<std::string> bodies;
        for (const RecordedRequest& request : shop_->requests())
            if (request.method == "PUT") bodies.push_back(request.body);
        return bodies;
    }

    std::vector<std::string> puts() const {
        std::vector<std::string> calls;
        for (const std::string& call : wire())
            if (call.starts_with("PUT")) calls.push_back(call);
        return calls;
    }

    std::unique_ptr<SampleShop> shop_;
};

const QString kBegin = QStringLiteral("---BEGIN Update Product---");
const QString kEnd = QStringLiteral("---END Update Product---");
const QString kUpdated = QStringLiteral("---Product update successfully /201 update product.");

TEST_F(ProductRunAgainstShop, UpdatesEachProductFoundBySku) {
    seed({shopProduct(101, "A-100"), shopProduct(102, "A-101", false)});

    run({"A-100;12;true;0.5;150000;;0;Blue", "A-101;5;0;1.2;90000;85000;1"});

    EXPECT_EQ(window_.log, QStringList({kBegin, "---Create JSON  /Product id: 101", kUpdated,
                                        "---Create JSON  /Product id: 102", kUpdated, kEnd}));
    EXPECT_EQ(wire(),
              std::vector<std::string>(
                  {"GET /wp-json/wc/v3/products?sku=A-100", "PUT /wp-json/wc/v3/products/101/",
                   "GET /wp-json/wc/v3/products?sku=A-101", "PUT /wp-json/wc/v3/products/102/"}));
    EXPECT_EQ(
        putBodies(),
        std::vector<std::string>(
            {R"({"sku":"A-100","stock_quantity":12,"manage_stock":true,"tax_status":"taxable","weight":"0.5","regular_price":"150000","sale_price":""})",
             R"({"sku":"A-101","stock_quantity":null,"manage_stock":false,"tax_status":"none","weight":"1.2","regular_price":"90000","sale_price":"85000"})"}));

    const json tracked = shop_->product(101);
    EXPECT_EQ(tracked["stock_quantity"], 12);
    EXPECT_EQ(tracked["manage_stock"], true);
    // An untracked stock must not turn into a tracked stock of 0, out of stock.
    const json untracked = shop_->product(102);
    EXPECT_EQ(untracked["manage_stock"], false);
    EXPECT_EQ(untracked["stock_status"], "instock");

    EXPECT_EQ(window_.statusText, QStringLiteral("SKU: A-101"));
    EXPECT_EQ(window_.rows.value(QStringLiteral("sku")), QStringLiteral("A-101"));
    EXPECT_EQ(window_.pumps, 2);
    EXPECT_EQ(window_.busyHistory, (std::vector<bool>{true, false}));
}

TEST_F(ProductRunAgainstShop, IncompleteLineIsLoggedAndTheOthersAreSent) {
    seed({shopProduct(1, "A-1"), shopProduct(2, "A-2"), shopProduct(4, "A-4"),
          shopProduct(5, "A-5")});

    run({"A-1;1;1;0;10;;0", "A-2;2;1;0;10;;0", "A-3;3;1;0", "A-4;4;1;0;10;;0", "A-5;5;1;0;10;;0"});

    EXPECT_EQ(window_.log.at(5),
              QStringLiteral("---Error in product line 3: List index out of bounds (6)"));
    EXPECT_EQ(puts(), std::vector<std::string>(
                          {"PUT /wp-json/wc/v3/products/1/", "PUT /wp-json/wc/v3/products/2/",
                           "PUT /wp-json/wc/v3/products/4/", "PUT /wp-json/wc/v3/products/5/"}));
    EXPECT_EQ(window_.log.size(), 1 + 4 * 2 + 1 + 1);
    EXPECT_EQ(window_.log.last(), kEnd);
    EXPECT_EQ(window_.pumps, 5);
}

TEST_F(ProductRunAgainstShop, LinesTheShopCannotTakeAreLoggedWithTheirReason) {
    seed({shopProduct(1, "A-1"), shopProduct(2, "A-2")});

    const ProductRunCounts counts = run(
        {"NO-SUCH;1;1;0;10;;0", "A-1;12.5;1;0;10;;0", "A-2;;1;0;10;;0", "   ", "A-1;7;1;0;10;;0"});

    EXPECT_EQ(window_.log,
              QStringList({kBegin, "---Product not found /SKU: NO-SUCH",
                           "---Error in product line 2: '12.5' is not a valid integer value",
                           "---Error in product line 3: '' is not a valid integer value",
                           "---Error in product line 4: List index out of bounds (0)",
                           "---Create JSON  /Product id: 1", kUpdated, kEnd}));
    EXPECT_EQ(shop_->product(1)["stock_quantity"], 7);
    EXPECT_EQ(counts, (ProductRunCounts{.updated = 1, .notFound = 1, .refused = 3}));
}

TEST_F(ProductRunAgainstShop, SkuIsOneQueryValueWhateverItHolds) {
    // Decoys: what a SKU would turn into if sent raw ("+" read as a blank, "&" ending the value).
    seed({shopProduct(11, "A 1"), shopProduct(12, "B"), shopProduct(21, "A+1"),
          shopProduct(22, "B&2"), shopProduct(23, "C 3#x")});

    run({"A+1;1;1;0;10;;0", "B&2;2;1;0;10;;0", "\"C 3#x\";3;1;0;10;;0"});

    EXPECT_EQ(
        wire(),
        std::vector<std::string>(
            {"GET /wp-json/wc/v3/products?sku=A%2B1", "PUT /wp-json/wc/v3/products/21/",
             "GET /wp-json/wc/v3/products?sku=B%262", "PUT /wp-json/wc/v3/products/22/",
             "GET /wp-json/wc/v3/products?sku=C%203%23x", "PUT /wp-json/wc/v3/products/23/"}));
    EXPECT_EQ(shop_->product(11)["stock_quantity"], 5);
    EXPECT_EQ(shop_->product(12)["stock_quantity"], 5);
}

const QString kKept = QStringLiteral("---Kept for the next run /SKU: ");

TEST_F(ProductRunAgainstShop, LinesThatFailInTransitAreKeptAndSentFirstByTheNextRun) {
    const struct {
        Fault fault;
        int after;  // answers before the fault: 2 fails A-2's lookup, 3 its update
        const char* failure;
    } cases[] = {
        {Fault::Status500, 2, "---Response error: Error: HTTP/1.1 500 Internal Server Error"},
        {Fault::Status503, 3, "---Error to update product: Error: HTTP/1.1 503 Service"},
        {Fault::Status429, 2, "---Response error: Error: Too Many Requests /"},
        {Fault::DropConnection, 3, "---Error to update product: Error: REST request failed: "},
        {Fault::NonJson200, 3, "---Error to update product: Error: The shop's answer (200 OK)"},
        // A maintenance or cache page in front of the shop answers the lookup.
        {Fault::NonJson200, 2, "---Response error: Error: The shop's answer is not JSON."},
    };
    for (const auto& c : cases) {
        seed({shopProduct(1, "A-1"), shopProduct(2, "A-2"), shopProduct(3, "A-3")});
        shop_->setFault(c.fault, {}, c.after);
        pauses_.clear();

        const ProductRunCounts counts = run({"A-1;11;1;0;10;;0", "A-2;12;1;0;10;;0"});

        ASSERT_EQ(window_.log.size(), 1 + 2 + 1 + 1 + 1 + (c.after == 3 ? 1 : 0)) << c.failure;
        EXPECT_TRUE(window_.log.at(window_.log.size() - 3).startsWith(c.failure))
            << window_.log.join('\n').toStdString();
        EXPECT_EQ(window_.log.at(window_.log.size() - 2), kKept + "A-2");
        EXPECT_EQ(pauses_, (std::vector<std::chrono::milliseconds>{1000ms, 2000ms}));
        EXPECT_EQ(keptLines(), QStringList{"A-2;12;1;0;10;;0"});
        EXPECT_EQ(counts, (ProductRunCounts{.updated = 1, .kept = 1})) << c.failure;

        // The shop is back: the kept line goes first, then the new one.
        shop_->setFault(Fault::None);
        shop_->clearRequests();
        run({"A-3;13;1;0;10;;0"});
        EXPECT_EQ(puts(), std::vector<std::string>({"PUT /wp-json/wc/v3/products/2/",
                                                    "PUT /wp-json/wc/v3/products/3/"}));
        EXPECT_EQ(shop_->product(2)["stock_quantity"], 12);
        EXPECT_TRUE(keptLines().isEmpty());
    }
}

TEST_F(ProductRunAgainstShop, ThreeLinesInARowFailingInTransitStopTheRun) {
    seed({shopProduct(1, "A-1"), shopProduct(2, "A-2")});
    shop_->stop();
    const QStringList lines = {"A-1;1;1;0;10;;0", "A-2;2;1;0;10;;0", "A-3;3;1;0;10;;0",
                               "A-4;4;1;0;10;;0", "A-5;5;1;0;10;;0"};

    const ProductRunCounts counts = run(lines);

    EXPECT_EQ(counts, ProductRunCounts{.kept = 5});
    ASSERT_EQ(window_.log.size(), 1 + 3 * 2 + 1 + 1);
    for (int line = 0; line < 3; ++line) {
        EXPECT_TRUE(
            window_.log.at(1 + 2 * line)
                .startsWith(QStringLiteral("---Response error: Error: REST request failed: ")))
            << window_.log.at(1 + 2 * line).toStdString();
        EXPECT_EQ(window_.log.at(2 + 2 * line), kKept + "A-" + QString::number(line + 1));
    }
    EXPECT_EQ(
        window_.log.at(7),
        QStringLiteral("---The shop does not answer: 2 more product lines kept for the next run"));
    EXPECT_EQ(window_.log.last(), kEnd);
    EXPECT_EQ(pauses_.size(), 3u * 2);
    EXPECT_EQ(keptLines(), lines);
    EXPECT_EQ(window_.busyHistory, (std::vector<bool>{true, false}));
}

TEST_F(ProductRunAgainstShop, LinesForAShopThatMovedAreKeptAndTheAddressNamed) {
    seed({shopProduct(1, "A-1")});
    shop_->redirectTo("https://shop.example");

    run({"A-1;1;1;0;10;;0"});

    EXPECT_EQ(window_.log,
              (QStringList{kBegin, "---Response error: Error: Moved Permanently / (unsuccessful).",
                           "---The shop moved to: "
                           "https://shop.example/wp-json/wc/v3/products?sku=A-1",
                           kKept + "A-1", kEnd}));
    EXPECT_EQ(keptLines(), QStringList{"A-1;1;1;0;10;;0"});
}

TEST_F(ProductRunAgainstShop, ARunCutShortLosesNoLine) {
    seed({shopProduct(1, "A-1"), shopProduct(2, "A-2"), shopProduct(3, "A-3")});
    window_.onPump = [this] {
        if (window_.pumps == 2) throw std::runtime_error("killed");
    };
    EXPECT_THROW(run({"A-1;11;1;0;10;;0", "A-2;12;1;0;10;;0", "A-3;13;1;0;10;;0"}),
                 std::runtime_error);
    EXPECT_EQ(keptLines(), QStringList({"A-2;12;1;0;10;;0", "A-3;13;1;0;10;;0"}));

    window_.onPump = nullptr;
    run({});
    for (const long long id : {1, 2, 3}) EXPECT_EQ(shop_->product(id)["stock_quantity"], 10 + id);
    EXPECT_TRUE(keptLines().isEmpty());
}

TEST_F(ProductRunAgainstShop, ANewerLineForASkuReplacesTheKeptOne) {
    seed({shopProduct(1, "A-1"), shopProduct(2, "A-2")});
    keepProductLines(kept_, {"A-1;1;1;0;10;;0", "A-2;2;1;0;10;;0"});  // left by a failed run
    keepProductLines(kept_, {"a-1;9;1;0;10;;0"});                     // a newer product file

    // The list still shows the older line: it is not sent after the newer one.
    run({"A-1;1;1;0;10;;0"});

    EXPECT_EQ(putBodies().size(), 2u);
    EXPECT_EQ(puts(), std::vector<std::string>(
                          {"PUT /wp-json/wc/v3/products/2/", "PUT /wp-json/wc/v3/products/1/"}));
    EXPECT_EQ(shop_->product(1)["stock_quantity"], 9);
}

TEST_F(ProductRunAgainstShop, LinesWithoutSkuOrWhoseSkuTheShopDoesNotHoldChangeNoProduct) {
    seed({shopProduct(1, "A-1"), shopProduct(2, "B-2")});

    // "A-1,B-2" is two SKUs to the shop and "0" none; "a-1" is A-1 in another letter case.
    const ProductRunCounts counts = run({";5;1;0;10;;0", "\"\";5;1;0;10;;0", "A-1,B-2;5;1;0;10;;0",
                                         "0;5;1;0;10;;0", "a-1;7;1;0;10;;0"});

    EXPECT_EQ(window_.log,
              QStringList({kBegin, "---Error in product line 1: The line has no SKU.",
                           "---Error in product line 2: The line has no SKU.",
                           "---Product not found /SKU: A-1,B-2", "---Product not found /SKU: 0",
                           "---Create JSON  /Product id: 1", kUpdated, kEnd}));
    EXPECT_EQ(wire(),
              std::vector<std::string>(
                  {"GET /wp-json/wc/v3/products?sku=A-1%2CB-2", "GET /wp-json/wc/v3/products?sku=0",
                   "GET /wp-json/wc/v3/products?sku=a-1", "PUT /wp-json/wc/v3/products/1/"}));
    EXPECT_EQ(shop_->product(1)["stock_quantity"], 7);
    EXPECT_EQ(shop_->product(2)["stock_quantity"], 5);
    EXPECT_TRUE(keptLines().isEmpty());  // refused lines are not kept
    EXPECT_EQ(counts, (ProductRunCounts{.updated = 1, .notFound = 2, .refused = 2}));
}

TEST_F(ProductRunAgainstShop, RefusedUpdateIsLoggedWithTheShopsAnswer) {
    // Two products share the SKU in another letter case: the shop refuses to write it again.
    seed({shopProduct(1, "A-1"), shopProduct(2, "a-1"), shopProduct(3, "A-3")});

    const ProductRunCounts counts = run({"A-1;1;1;0;10;;0", "A-3;3;1;0;10;;0"});

    EXPECT_EQ(window_.log, QStringList({kBegin, "---Create JSON  /Product id: 1",
                                        "---Error to update product: Error: Bad Request /",
                                        "---Create JSON  /Product id: 3", kUpdated, kEnd}));
    EXPECT_EQ(counts, (ProductRunCounts{.updated = 1, .refused = 1}));
}

TEST_F(ProductRunAgainstShop, AddPostsTheFoundProductToTheProductResource) {
    seed({shopProduct(1, "A-1")});
    settings_.addProducts = true;

    run({"A-1;1;1;0;10;;0"});

    EXPECT_EQ(wire(), std::vector<std::string>({"GET /wp-json/wc/v3/products?sku=A-1",
                                                "POST /wp-json/wc/v3/products/"}));
    // The SKU is taken by the product that was found.
    EXPECT_EQ(window_.log, QStringList({kBegin, "---Create JSON  /Product id: 1",
                                        "---Error to create product: Error: Bad Request /", kEnd}));
}

// Two runs over the same lines, one line by line and one in batches, each against a shop of
// its own; the shops write the same dates, so that their products compare equal.
TEST_F(ProductRunAgainstShop, BatchesLeaveEveryProductAsLineByLineDoesAndLogTheSame) {
    const std::vector<json> products = {shopProduct(1, "T-1"), shopProduct(2, "U-2", false),
                                        shopProduct(3, "P-3"), shopProduct(4, "CASE-4"),
                                        shopProduct(5, "K,5"), shopProduct(6, "D-6"),
                                        shopProduct(7, "B-7")};
    const QStringList lines = {
        "T-1;12;true;0.5;150000;;0",  // a tracked stock and no sale price
        "U-2;5;0;1.2;90000;85000;1",  // an untracked stock and a sale price
        "case-4;3;1;0.2;100;;0",      // the shop's CASE-4 in another letter case
        "NO-SUCH;1;1;0;10;;0",        // no such product
        "B-7;12.5;1;0;10;;0",         // a stock that is not a whole number
        "K,5;4;1;0;10;;0",            // a SKU that holds a comma
        "D-6;1;1;0;10;;0",           "P-3;7;1;0.3;500;450;0",
        "d-6;2;1;0;20;;0",  // D-6 again, later and in another letter case
    };
    sampleshop::Options sameDates;
    sameDates.clock = [] { return std::chrono::system_clock::time_point(1796000000s); };

    SampleShop& lineByLine = seed(products, sameDates);
    const ProductRunCounts lineByLineCounts = run(lines);
    const QStringList lineByLineLog = window_.log;
    const std::vector<RecordedRequest> lineByLineRequests = lineByLine.requests();
    const std::unique_ptr<SampleShop> lineByLineShop = std::move(shop_);

    SampleShop& batched = seed(products, sameDates);
    settings_.batches = true;
    window_.pumps = 0;
    const ProductRunCounts counts = run(lines);

    EXPECT_EQ(batched.products(), lineByLine.products());
    EXPECT_EQ(batched.product(6)["sku"], "d-6");
    EXPECT_EQ(batched.product(6)["stock_quantity"], 2);
    EXPECT_EQ(batched.product(4)["sku"], "case-4");
    EXPECT_EQ(batched.product(7)["stock_quantity"], 5);
    const auto sent = [](const char* id) {
        return QStringList{QStringLiteral("---Create JSON  /Product id: ") + id, kUpdated};
    };
    const QStringList expectedLog =
        QStringList{kBegin} + sent("1") + sent("2") + sent("4") +
        QStringList{"---Product not found /SKU: NO-SUCH",
                    "---Error in product line 5: '12.5' is not a valid integer value"} +
        sent("5") + sent("6") + sent("3") + sent("6") + QStringList{kEnd};
    EXPECT_EQ(lineByLineLog, expectedLog);
    EXPECT_EQ(window_.log, lineByLineLog);
    EXPECT_EQ(lineByLineCounts, (ProductRunCounts{.updated = 7, .notFound = 1, .refused = 1}));
    EXPECT_EQ(counts, lineByLineCounts);

    // Two calls for the batch, one more for the SKU with a comma.
    EXPECT_EQ(wire(),
              std::vector<std::string>(
                  {"GET /wp-json/wc/v3/products?sku=T-1,U-2,case-4,NO-SUCH,B-7,d-6,P-3"
                   "&per_page=100",
                   "GET /wp-json/wc/v3/products?sku=K%2C5", "POST /wp-json/wc/v3/products/batch"}));
    // Each item is the body a PUT of the product sent, after its id; D-6 once, as last sent.
    std::map<std::string, std::string> putBodyOfId;
    for (const RecordedRequest& request : lineByLineRequests) {
        if (request.method != "PUT") continue;
        const std::string id = request.target.substr(request.target.find("products/") + 9);
        putBodyOfId[id.substr(0, id.size() - 1)] = request.body.substr(1);
    }
    std::string items;
    for (const char* id : {"1", "2", "4", "5", "6", "3"})
        items += std::string(items.empty() ? "" : ",") + "{\"id\":" + id + "," + putBodyOfId[id];
    EXPECT_EQ(batched.requests().back().body, "{\"update\":[" + items + "]}");

    EXPECT_EQ(window_.statusText, QStringLiteral("SKU: d-6"));
    EXPECT_EQ(window_.pumps, 1);
    EXPECT_TRUE(keptLines().isEmpty());
}

TEST_F(ProductRunAgainstShop, LongSkusOfABatchAreLookedUpInRequestsOfBoundedLength) {
    // Forty Persian SKUs of thirty letters, 180 bytes each once encoded: one query would be 7 KB.
    std::vector<json> products;
    QStringList lines;
    for (int i = 0; i < 40; ++i) {
        const QString sku = QString(30, QChar(0x0686)) + QString::number(i);
        products.push_back(shopProduct(i + 1, sku.toStdString()));
        lines.append(sku + QStringLiteral(";7;1;0;10;;0"));
    }
    seed(products);
    settings_.batches = true;

    EXPECT_EQ(run(lines), ProductRunCounts{.updated = 40});

    const std::vector<std::string> calls = wire();
    ASSERT_EQ(calls.size(), 3u);
    for (const std::string& lookup : {calls[0], calls[1]}) {
        EXPECT_TRUE(lookup.starts_with("GET ")) << lookup;
        EXPECT_LT(lookup.size(), 4100u);
    }
    EXPECT_EQ(calls[2], "POST /wp-json/wc/v3/products/batch");
    for (int id = 1; id <= 40; ++id) EXPECT_EQ(shop_->product(id)["stock_quantity"], 7) << id;
}

TEST_F(ProductRunAgainstShop, ABatchThatFailsInTransitKeepsItsLinesForTheNextRun) {
    seed({shopProduct(1, "A-1"), shopProduct(2, "A-2")});
    shop_->setFault(Fault::Status503, {}, 1);  // the lookup is answered, the batch call is not
    settings_.batches = true;
    const QStringList lines = {"A-1;11;1;0;10;;0", "NO-SUCH;1;1;0;10;;0", "A-2;12;1;0;10;;0"};

    const ProductRunCounts counts = run(lines);

    const QString failed =
        QStringLiteral("---Error to update product: Error: HTTP/1.1 503 Service Unavailable");
    EXPECT_EQ(window_.log,
              QStringList({kBegin, "---Create JSON  /Product id: 1", failed, kKept + "A-1",
                           "---Product not found /SKU: NO-SUCH", "---Create JSON  /Product id: 2",
                           failed, kKept + "A-2", kEnd}));
    EXPECT_EQ(pauses_, (std::vector<std::chrono::milliseconds>{1000ms, 2000ms}));
    EXPECT_EQ(keptLines(), QStringList({lines[0], lines[2]}));
    EXPECT_EQ(counts, (ProductRunCounts{.notFound = 1, .kept = 2}));

    shop_->setFault(Fault::None);
    shop_->clearRequests();
    run({});
    EXPECT_EQ(wire(),
              std::vector<std::string>({"GET /wp-json/wc/v3/products?sku=A-1,A-2&per_page=100",
                                        "POST /wp-json/wc/v3/products/batch"}));
    EXPECT_EQ(shop_->product(2)["stock_quantity"], 12);
    EXPECT_TRUE(keptLines().isEmpty());
}

TEST_F(ProductRunAgainstShop, ThreeBatchesInARowFailingInTransitStopTheRun) {
    seed({});
    shop_->stop();
    settings_.batches = true;
    QStringList lines;
    for (int i = 0; i < 301; ++i) lines.append(QStringLiteral("S-%1;1;1;0;10;;0").arg(i));

    const ProductRunCounts counts = run(lines);

    EXPECT_EQ(window_.log.size(), 1 + 300 * 2 + 1 + 1);
    EXPECT_EQ(
        window_.log.at(window_.log.size() - 2),
        QStringLiteral("---The shop does not answer: 1 more product lines kept for the next run"));
    EXPECT_EQ(window_.pumps, 3);
    EXPECT_EQ(pauses_.size(), 3u * 2);  // one lookup per batch, each tried three times
    EXPECT_EQ(keptLines(), lines);
    EXPECT_EQ(counts, ProductRunCounts{.kept = 301});
}

TEST_F(ProductRunFixture, UnattendedRunWithNoLinesLeavesThePointerToTheCycle) {
    window_.log = QStringList{"earlier"};
    window_.unattended = true;
    run({}, {"---a note"});
    EXPECT_EQ(window_.log, QStringList({kBegin, "---a note", kEnd}));
    EXPECT_EQ(window_.busyHistory, std::vector<bool>{false});
}

TEST_F(ProductRunFixture, ClientThatCannotBeMadeEndsTheRunAtOnce) {
    settings_.connection.baseUrl = "host:8443/path";
    EXPECT_THROW(run({"A-1;1;1;0;10;;0"}), Error);
    EXPECT_EQ(window_.log, QStringList{kBegin});
    EXPECT_EQ(window_.busyHistory, std::vector<bool>{true});
}

}  // namespace
}  // namespace norvan::products
