#include "RecordingWindow.h"
#include "common/Error.h"
#include "products/ProductIntake.h"
#include "products/ProductLookup.h"
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

json variableProduct(long long id, const std::string& sku, std::vector<long long> variations) {
    json product = shopProduct(id, sku);
    product["type"] = "variable";
    product["regular_price"] = "";
    product["variations"] = variations;
    return product;
}

// A variation managing its own stock, or using its product's.
json variationOf(long long parentId, long long id, const std::string& sku, bool ownStock = true) {
    json variation = shopProduct(id, sku, ownStock);
    variation["type"] = "variation";
    variation["parent_id"] = parentId;
    variation["price"] = variation["regular_price"] = "100000";
    return variation;
}

// A product run over kept lines in a settings database of its own; pauses are recorded, not
// waited for.
class ProductRunFixture : public ::testing::Test {
  protected:
    ProductRunCounts run(const QStringList& lines, const QStringList& notes = {},
                         const TakeMoreLines& takeMore = {}) {
        ProductRun productRun(settings_, window_, kept_,
                              [this](auto pause) { pauses_.push_back(pause); });
        productRun.run(lines, notes, takeMore);
        return productRun.counts();
    }
    // Takes the steps in turn, each as the lines of a file of its own, noting each step; false
    // once the last is taken.
    TakeMoreLines steps(const QList<QStringList>& lines, const std::function<void()>& onStep) {
        return [this, lines, onStep, taken = qsizetype{0}](QStringList& notes) mutable {
            onStep();
            if (taken == lines.size()) return false;
            keepProductLines(kept_, lines.at(taken++));
            notes.append(QStringLiteral("---step %1").arg(taken));
            return true;
        };
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
    EXPECT_EQ(window_.progress,
              (std::vector<std::pair<qsizetype, qsizetype>>{{0, 2}, {1, 2}, {2, 2}}));
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
    // The product is deleted in the shop between its lookup and its update.
    seed({shopProduct(1, "A-1"), shopProduct(3, "A-3")});
    shop_->setRequestHook([this](const RecordedRequest& request) {
        if (request.method == "PUT" && request.target.ends_with("/products/1/"))
            shop_->removeProduct(1);
        return Fault::None;
    });

    const ProductRunCounts counts = run({"A-1;1;1;0;10;;0", "A-3;3;1;0;10;;0"});

    EXPECT_EQ(window_.log, QStringList({kBegin, "---Create JSON  /Product id: 1",
                                        "---Error to update product: Error: Bad Request /",
                                        "---The shop says: Invalid ID.",
                                        "---Create JSON  /Product id: 3", kUpdated, kEnd}));
    EXPECT_EQ(counts, (ProductRunCounts{.updated = 1, .refused = 1}));
    EXPECT_TRUE(keptLines().isEmpty());
}

TEST_F(ProductRunAgainstShop, AddPostsTheFoundProductToTheProductResource) {
    seed({shopProduct(1, "A-1")});
    settings_.addProducts = true;

    run({"A-1;1;1;0;10;;0"});

    EXPECT_EQ(wire(), std::vector<std::string>({"GET /wp-json/wc/v3/products?sku=A-1",
                                                "POST /wp-json/wc/v3/products/"}));
    // The SKU is taken by the product that was found.
    EXPECT_EQ(window_.log, QStringList({kBegin, "---Create JSON  /Product id: 1",
                                        "---Error to create product: Error: Bad Request /",
                                        "---The shop says: Invalid or duplicated SKU.", kEnd}));
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
    window_.progress.clear();
    const ProductRunCounts counts = run(lines);

    EXPECT_EQ(batched.products(), lineByLine.products());
    // The lines' letter case does not rename the shop's SKUs.
    EXPECT_EQ(batched.product(6)["sku"], "D-6");
    EXPECT_EQ(batched.product(6)["stock_quantity"], 2);
    EXPECT_EQ(batched.product(4)["sku"], "CASE-4");
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
    EXPECT_EQ(window_.progress, (std::vector<std::pair<qsizetype, qsizetype>>{{0, 9}, {9, 9}}));
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
    // The first lookup takes every SKU that fits: with the next one its query would pass 4,000.
    const auto query = [](const std::string& call) { return call.substr(call.find('?') + 1); };
    const std::string second = query(calls[1]);
    const std::string next = second.substr(4, second.find(',') - 4);  // after "sku="
    EXPECT_LE(query(calls[0]).size(), 4000u);
    EXPECT_GT(query(calls[0]).size() + 1 + next.size(), 4000u);
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

// The product run in each of its two ways of sending, against a shop of its own.
struct SendingMode {
    bool batches;
    const char* name;
};
const SendingMode kModes[] = {{false, "line by line"}, {true, "in batches"}};

const QString kVariableNote = QStringLiteral(
    "---A variable product's price is set on its variations: the lines of its variations' SKUs "
    "carry their prices.");

std::string lookupOf(const QString& query) {
    return "GET /wp-json/wc/v3/products?" + query.toStdString();
}

TEST_F(ProductRunAgainstShop, VariationsAreWrittenThroughTheirProduct) {
    const std::vector<json> products = {
        shopProduct(1, "A-1"), variableProduct(19, "SHIRT", {20, 21, 22}),
        variationOf(19, 20, "SHIRT-S"), variationOf(19, 21, "SHIRT-M"),
        variationOf(19, 22, "SHIRT-L", false)};
    const QStringList lines = {"SHIRT-S;11;1;0.3;111000;;0", "SHIRT;40;1;0.3;120000;;0",
                               "A-1;7;1;0;10;;0", "SHIRT-L;13;1;0.3;112000;;0"};
    const std::vector<std::string> wires[] = {
        {lookupOf("sku=SHIRT-S"), "PUT /wp-json/wc/v3/products/19/variations/20",
         lookupOf("sku=SHIRT"), "PUT /wp-json/wc/v3/products/19/", lookupOf("sku=A-1"),
         "PUT /wp-json/wc/v3/products/1/", lookupOf("sku=SHIRT-L"),
         "PUT /wp-json/wc/v3/products/19/variations/22"},
        {lookupOf("sku=SHIRT-S,SHIRT,A-1,SHIRT-L&per_page=100"),
         "POST /wp-json/wc/v3/products/batch", "POST /wp-json/wc/v3/products/19/variations/batch"},
    };
    for (const SendingMode& mode : kModes) {
        SCOPED_TRACE(mode.name);
        seed(products);
        settings_.batches = mode.batches;

        const ProductRunCounts counts = run(lines);

        const auto sent = [](const char* id) {
            return QStringList{QStringLiteral("---Create JSON  /Product id: ") + id, kUpdated};
        };
        EXPECT_EQ(window_.log, QStringList{kBegin} + sent("20") + sent("19") +
                                   QStringList{kVariableNote} + sent("1") + sent("22") +
                                   QStringList{kEnd});
        EXPECT_EQ(counts, ProductRunCounts{.updated = 4});
        EXPECT_EQ(wire(), wires[mode.batches]);
        if (mode.batches) {
            EXPECT_NE(shop_->requests()[1].body.find(R"({"id":19,"sku":"SHIRT")"),
                      std::string::npos);
            EXPECT_EQ(shop_->requests()[2].body.find(R"({"update":[{"id":20,"sku":"SHIRT-S",)"),
                      0u);
        }
        EXPECT_EQ(shop_->product(20)["stock_quantity"], 11);
        EXPECT_EQ(shop_->product(20)["regular_price"], "111000");
        EXPECT_EQ(shop_->product(21)["stock_quantity"], 5);
        // The variation that used its product's stock now has its own.
        EXPECT_EQ(shop_->product(22)["manage_stock"], true);
        EXPECT_EQ(shop_->product(22)["stock_quantity"], 13);
        // The product takes the stock; its price is its variations' lowest.
        EXPECT_EQ(shop_->product(19)["stock_quantity"], 40);
        EXPECT_EQ(shop_->product(19)["regular_price"], "");
        EXPECT_EQ(shop_->product(19)["price"], "100000");
        EXPECT_TRUE(keptLines().isEmpty());
    }
}

TEST_F(ProductRunAgainstShop, AVariationsLineThatFailsInTransitIsKeptForTheNextRun) {
    const QStringList lines = {"SHIRT-S;11;1;0.3;111000;;0", "A-1;7;1;0;10;;0"};
    for (const SendingMode& mode : kModes) {
        SCOPED_TRACE(mode.name);
        seed({shopProduct(1, "A-1"), variableProduct(19, "SHIRT", {20}),
              variationOf(19, 20, "SHIRT-S")});
        shop_->setRequestHook([](const RecordedRequest& request) {
            return request.target.find("/variations/") != std::string::npos ? Fault::Status503
                                                                            : Fault::None;
        });
        settings_.batches = mode.batches;
        pauses_.clear();

        EXPECT_EQ(run(lines), (ProductRunCounts{.updated = 1, .kept = 1}));
        EXPECT_EQ(window_.log.at(3), kKept + "SHIRT-S");
        EXPECT_EQ(pauses_.size(), 2u);
        EXPECT_EQ(keptLines(), QStringList{lines.first()});

        shop_->setRequestHook({});
        EXPECT_EQ(run({}), ProductRunCounts{.updated = 1});
        EXPECT_EQ(shop_->product(20)["stock_quantity"], 11);
        EXPECT_TRUE(keptLines().isEmpty());
    }
}

// A Windows-1256 file writes the Persian Yeh as the Arabic one; the shop keeps the two apart but
// ignores letter case. Each line updates the shop's product and leaves its SKU as the shop
// spells it.
TEST_F(ProductRunAgainstShop, SkusAreFoundInTheShopsSpellingAndKeepIt) {
    const QString persianTea = QString::fromUtf8("چای-سبز");
    const QString arabicTea = QString::fromUtf8("چاي-سبز");
    const QString arabicShay = QString::fromUtf8("شاي");  // so spelled in the shop
    const std::vector<json> products = {shopProduct(23, persianTea.toStdString()),
                                        shopProduct(24, "RWB-Case"),
                                        shopProduct(25, arabicShay.toStdString())};
    const QStringList lines = {arabicTea + ";3;1;0;90000;;0", "RWB-CASE;4;1;0;10;;0",
                               arabicShay + ";2;1;0;10;;0"};
    const QString persianShay = QString(arabicShay).replace(QChar(0x064A), QChar(0x06CC));
    const std::vector<std::string> wires[] = {
        {lookupOf(skuQuery(arabicTea)), lookupOf(skuQuery(persianTea)),
         "PUT /wp-json/wc/v3/products/23/", lookupOf(skuQuery("RWB-CASE")),
         "PUT /wp-json/wc/v3/products/24/", lookupOf(skuQuery(arabicShay)),
         lookupOf(skuQuery(persianShay)), "PUT /wp-json/wc/v3/products/25/"},
        {lookupOf(skuListQuery({arabicTea, persianTea, "RWB-CASE", arabicShay, persianShay})),
         "POST /wp-json/wc/v3/products/batch"},
    };
    for (const SendingMode& mode : kModes) {
        SCOPED_TRACE(mode.name);
        seed(products);
        settings_.batches = mode.batches;

        EXPECT_EQ(run(lines), ProductRunCounts{.updated = 3});

        EXPECT_EQ(wire(), wires[mode.batches]);
        EXPECT_EQ(shop_->product(23)["stock_quantity"], 3);
        EXPECT_EQ(shop_->product(24)["stock_quantity"], 4);
        EXPECT_EQ(shop_->product(25)["stock_quantity"], 2);
        std::string bodies;
        for (const RecordedRequest& request : shop_->requests()) bodies += request.body;
        for (const long long id : {23, 24, 25}) {
            const json& seeded = products[static_cast<std::size_t>(id - 23)];
            EXPECT_EQ(shop_->product(id)["sku"], seeded["sku"]) << id;
            const std::string sku = "\"sku\":\"" + seeded["sku"].get<std::string>() + "\",";
            EXPECT_NE(bodies.find(sku), std::string::npos) << id;
        }
    }
}

TEST_F(ProductRunAgainstShop, ASkuOfTwoProductsIsRefusedNamingBoth) {
    const std::string persianYeh = "\xDB\x8C";
    const std::string arabicYeh = "\xD9\x8A";
    for (const SendingMode& mode : kModes) {
        SCOPED_TRACE(mode.name);
        seed({shopProduct(1, "A-1"), shopProduct(2, "a-1"), shopProduct(3, "T" + persianYeh),
              shopProduct(4, "T" + arabicYeh), shopProduct(5, "B-2")});
        settings_.batches = mode.batches;

        const ProductRunCounts counts =
            run({"A-1;7;1;0;10;;0", QString::fromUtf8("T" + arabicYeh + ";7;1;0;10;;0"),
                 "B-2;7;1;0;10;;0"});

        EXPECT_EQ(window_.log,
                  QStringList({kBegin,
                               "---Error in product line 1: The SKU matches more than one "
                               "product of the shop: 1 (A-1), 2 (a-1).",
                               QString::fromUtf8("---Error in product line 2: The SKU matches "
                                                 "more than one product of the shop: 3 (T" +
                                                 persianYeh + "), 4 (T" + arabicYeh + ")."),
                               "---Create JSON  /Product id: 5", kUpdated, kEnd}));
        EXPECT_EQ(counts, (ProductRunCounts{.updated = 1, .refused = 2}));
        for (const long long id : {1, 2, 3, 4}) EXPECT_EQ(shop_->product(id)["stock_quantity"], 5);
    }
}

// A line is dropped only when the shop refused what it says; an answer about anything else (a
// key, a firewall, a missing page, an unreadable answer) keeps it for the next run, and a shop
// that refuses the key or the program takes no further line.
TEST_F(ProductRunAgainstShop, OnlyARefusalOfItsContentDropsALine) {
    const QString stopAtKey = QStringLiteral(
        "---The shop refuses the key (401): check the consumer key, its secret and its "
        "permissions; %1 more product lines kept for the next run");
    const QString stopAtFirewall = QStringLiteral(
        "---A firewall in front of the shop refuses the program (403); %1 more product lines "
        "kept for the next run");
    const QString tried = QStringLiteral("---Create JSON  /Product id: 1");
    const QStringList lines = {"A-1;11;1;0;10;;0", "A-2;12;1;0;10;;0", "A-3;13;1;0;10;;0"};
    json deep = "bottom";
    for (int level = 0; level < 600; ++level) deep = json::array({deep});
    json deeplyNested = shopProduct(1, "A-1");
    deeplyNested["meta_data"] = deep;
    const json a1 = shopProduct(1, "A-1");
    // A variation listed without its product's id can only be sent to the products route.
    const json orphanVariation = variationOf(0, 1, "A-1");
    sampleshop::Options readOnlyKey;
    readOnlyKey.keyCanWrite = false;

    const struct {
        const char* name;
        bool batches;
        json firstProduct;
        sampleshop::Options options;
        Fault fault;
        int after;  // answers before the fault
        QStringList log;
        QStringList kept;
    } cases[] = {
        {"lookup 401",
         false,
         a1,
         {},
         Fault::KeyRevoked,
         0,
         {"---Response error: Error: Unauthorized / (unsuccessful).",
          "---The shop says: Sorry, you cannot list resources.", kKept + "A-1", stopAtKey.arg(2)},
         lines},
        {"update 401",
         false,
         a1,
         {},
         Fault::KeyRevoked,
         1,
         {tried, "---Error to update product: Error: Unauthorized /",
          "---The shop says: Sorry, you are not allowed to edit this resource.", kKept + "A-1",
          stopAtKey.arg(2)},
         lines},
        {"read-only key",
         false,
         a1,
         readOnlyKey,
         Fault::None,
         0,
         {tried, "---Error to update product: Error: Unauthorized /",
          "---The shop says: The API key provided does not have write permissions.", kKept + "A-1",
          stopAtKey.arg(2)},
         lines},
        {"lookup 403",
         false,
         a1,
         {},
         Fault::Status403,
         0,
         {"---Response error: Error: Forbidden / (unsuccessful).", kKept + "A-1",
          stopAtFirewall.arg(2)},
         lines},
        {"lookup 404 page",
         false,
         a1,
         {},
         Fault::Html404,
         2,
         {tried, kUpdated, "---Response error: Error: Not Found / (unsuccessful).", kKept + "A-2",
          "---Response error: Error: Not Found / (unsuccessful).", kKept + "A-3"},
         lines.mid(1)},
        {"404 about the product",
         false,
         orphanVariation,
         {},
         Fault::None,
         0,
         {tried, "---Error to update product: Error: Not Found /",
          "---The shop says: To manipulate product variations you should use the "
          "/products/<product_id>/variations/<id> endpoint.",
          "---Create JSON  /Product id: 2", kUpdated, "---Create JSON  /Product id: 3", kUpdated},
         {}},
        {"lookup too deep",
         false,
         deeplyNested,
         {},
         Fault::None,
         0,
         {"---Response error: Error: The JSON text is nested deeper than 512 levels. "
          "(unsuccessful).",
          kKept + "A-1", "---Create JSON  /Product id: 2", kUpdated,
          "---Create JSON  /Product id: 3", kUpdated},
         lines.mid(0, 1)},
        {"batch lookup 401",
         true,
         a1,
         {},
         Fault::KeyRevoked,
         0,
         {"---Response error: Error: Unauthorized / (unsuccessful).",
          "---The shop says: Sorry, you cannot list resources.", kKept + "A-1",
          "---Response error: Error: Unauthorized / (unsuccessful).",
          "---The shop says: Sorry, you cannot list resources.", kKept + "A-2",
          "---Response error: Error: Unauthorized / (unsuccessful).",
          "---The shop says: Sorry, you cannot list resources.", kKept + "A-3", stopAtKey.arg(0)},
         lines},
        {"batch call 404 page",
         true,
         a1,
         {},
         Fault::Html404,
         1,
         {tried, "---Error to update product: Error: Not Found /", kKept + "A-1",
          "---Create JSON  /Product id: 2", "---Error to update product: Error: Not Found /",
          kKept + "A-2", "---Create JSON  /Product id: 3",
          "---Error to update product: Error: Not Found /", kKept + "A-3"},
         lines},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        seed({c.firstProduct, shopProduct(2, "A-2"), shopProduct(3, "A-3")}, c.options);
        shop_->setFault(c.fault, {}, c.after);
        settings_.batches = c.batches;
        pauses_.clear();

        run(lines);

        EXPECT_EQ(window_.log, QStringList{kBegin} + c.log + QStringList{kEnd});
        EXPECT_EQ(keptLines(), c.kept);
        EXPECT_TRUE(pauses_.empty());  // none of these is tried again at once
        kept_.remove([&] {
            QList<qint64> ids;
            for (const settings::KeptProductLine& line : kept_.lines()) ids.append(line.id);
            return ids;
        }());
    }
}

TEST_F(ProductRunAgainstShop, ABatchItemTheShopRefusesIsDroppedWithTheShopsWords) {
    seed({shopProduct(1, "A-1"), shopProduct(2, "A-2")});
    // Product 1 is deleted in the shop after the lookup.
    shop_->setRequestHook([this](const RecordedRequest& request) {
        if (request.method == "POST") shop_->removeProduct(1);
        return Fault::None;
    });
    settings_.batches = true;

    const ProductRunCounts counts = run({"A-1;11;1;0;10;;0", "A-2;12;1;0;10;;0"});

    EXPECT_EQ(window_.log, QStringList({kBegin, "---Create JSON  /Product id: 1",
                                        "---Error to update product: Error: Invalid ID.",
                                        "---The shop says: Invalid ID.",
                                        "---Create JSON  /Product id: 2", kUpdated, kEnd}));
    EXPECT_EQ(counts, (ProductRunCounts{.updated = 1, .refused = 1}));
    EXPECT_TRUE(keptLines().isEmpty());
}

// The files are taken as the run goes: a step before the first request, then one after each
// line sent; their lines go out after those kept before, a newer one for a SKU after the older.
TEST_F(ProductRunAgainstShop, LinesTakenAsTheRunGoesFollowTheKeptOnesInTheirOrder) {
    seed({shopProduct(1, "A-1"), shopProduct(2, "A-2"), shopProduct(3, "A-3")});
    keepProductLines(kept_, {"A-1;1;1;0;10;;0"});  // left by an earlier run
    std::vector<std::size_t> requestsAtStep;

    const ProductRunCounts counts =
        run({}, {}, steps({{"A-2;2;1;0;10;;0"}, {"a-1;9;1;0;10;;0", "A-3;3;1;0;10;;0"}}, [&] {
                requestsAtStep.push_back(shop_->requests().size());
            }));

    EXPECT_EQ(requestsAtStep, (std::vector<std::size_t>{0, 2, 4}));  // the last finds none
    EXPECT_EQ(puts(), std::vector<std::string>(
                          {"PUT /wp-json/wc/v3/products/1/", "PUT /wp-json/wc/v3/products/2/",
                           "PUT /wp-json/wc/v3/products/1/", "PUT /wp-json/wc/v3/products/3/"}));
    EXPECT_EQ(shop_->product(1)["stock_quantity"], 9);
    EXPECT_EQ(window_.log.mid(0, 4),
              QStringList({kBegin, "---step 1", "---Create JSON  /Product id: 1", kUpdated}));
    EXPECT_EQ(window_.log.at(4), "---step 2");
    EXPECT_EQ(counts, ProductRunCounts{.updated = 4});
    EXPECT_TRUE(keptLines().isEmpty());
    // The run's lines grow as the files are taken: the kept ones and those taken so far.
    EXPECT_EQ(window_.progress, (std::vector<std::pair<qsizetype, qsizetype>>{
                                    {0, 2}, {1, 4}, {2, 4}, {3, 4}, {4, 4}}));
}

// A shop that does not answer stops the sending, not the taking: the files are still taken whole
// and their lines kept for the next run.
TEST_F(ProductRunAgainstShop, AShopDownStopsTheSendingAndTheFilesAreStillTakenWhole) {
    seed({});
    shop_->stop();
    const QList<QStringList> files = {{"A-1;1;1;0;10;;0"},
                                      {"A-2;1;1;0;10;;0"},
                                      {"A-3;1;1;0;10;;0"},
                                      {"A-4;1;1;0;10;;0"},
                                      {"A-5;1;1;0;10;;0", "A-6;1;1;0;10;;0"}};

    const ProductRunCounts counts = run({}, {}, steps(files, [] {}));

    EXPECT_EQ(window_.log.at(window_.log.size() - 2),
              "---The shop does not answer: 3 more product lines kept for the next run");
    EXPECT_EQ(counts, ProductRunCounts{.kept = 6});
    EXPECT_EQ(keptLines().size(), 6);
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
