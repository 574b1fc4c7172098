#include "ShopFixture.h"

#include <atomic>
#include <memory>
#include <string>
#include <vector>

namespace norvan::sampleshop {
namespace {

std::vector<long long> idsOf(const httplib::Result& result) {
    std::vector<long long> ids;
    for (const auto& object : bodyOf(result)) ids.push_back(object["id"].get<long long>());
    return ids;
}

using ShopRoutesTest = ShopFixture;

TEST_F(ShopRoutesTest, EveryRouteAnswersWithAndWithoutTrailingSlash) {
    for (const std::string resource : {"products", "products/", "products/10", "products/10/",
                                       "orders", "orders/", "orders/15", "orders/15/"}) {
        const auto result = get(resource);
        ASSERT_TRUE(result) << resource;
        EXPECT_EQ(result->status, 200) << resource;
        EXPECT_EQ(result->get_header_value("Content-Type"), "application/json; charset=UTF-8");
    }
}

TEST_F(ShopRoutesTest, UnknownRouteIsRestNoRoute) {
    const auto result = get("orderz");
    ASSERT_TRUE(result);
    EXPECT_EQ(result->status, 404);
    EXPECT_EQ(result->reason, "Not Found");
    EXPECT_EQ(
        result->body,
        R"({"code":"rest_no_route","message":"No route was found matching the URL and request method.","data":{"status":404}})");
}

TEST_F(ShopRoutesTest, ListsOrdersNewestFirstWithPagingHeaders) {
    auto result = get("orders?status=processing");
    ASSERT_TRUE(result);
    EXPECT_EQ(idsOf(result), (std::vector<long long>{18, 17, 16, 15}));
    EXPECT_EQ(result->get_header_value("X-WP-Total"), "4");
    EXPECT_EQ(result->get_header_value("X-WP-TotalPages"), "1");

    result = get("orders?status=processing&per_page=3&page=2");
    ASSERT_TRUE(result);
    EXPECT_EQ(idsOf(result), (std::vector<long long>{15}));
    EXPECT_EQ(result->get_header_value("X-WP-Total"), "4");
    EXPECT_EQ(result->get_header_value("X-WP-TotalPages"), "2");

    result = get("orders?status=refunded");
    ASSERT_TRUE(result);
    EXPECT_EQ(result->body, "[]");
    EXPECT_EQ(result->get_header_value("X-WP-TotalPages"), "0");
}

TEST_F(ShopRoutesTest, ListPagesHoldTenItemsByDefault) {
    for (int i = 0; i < 7; ++i)
        shop().addProduct({{"name", "extra"}, {"sku", "X-" + std::to_string(i)}});
    auto result = get("products");
    ASSERT_TRUE(result);
    EXPECT_EQ(bodyOf(result).size(), 10u);
    EXPECT_EQ(result->get_header_value("X-WP-Total"), "13");
    EXPECT_EQ(result->get_header_value("X-WP-TotalPages"), "2");
    EXPECT_EQ(bodyOf(get("products?page=2")).size(), 3u);
}

TEST_F(ShopRoutesTest, RefusesAnUnknownStatusFilter) {
    const auto result = get("orders?status=nonsense");
    ASSERT_TRUE(result);
    EXPECT_EQ(result->status, 400);
    EXPECT_EQ(
        result->body,
        R"({"code":"rest_invalid_param","message":"Invalid parameter(s): status","data":{"status":400,"params":{"status":"status[0] is not one of any, trash, auto-draft, pending, processing, on-hold, completed, cancelled, refunded, failed, and checkout-draft."},"details":{"status":{"code":"rest_not_in_enum","message":"status[0] is not one of any, trash, auto-draft, pending, processing, on-hold, completed, cancelled, refunded, failed, and checkout-draft.","data":null}}}})");
}

TEST_F(ShopRoutesTest, SkuLookupIsExactButIgnoresCase) {
    shop().addProduct({{"id", 30}, {"name", "Rose water"}, {"sku", "G,1"}});
    const struct {
        std::string query;
        std::vector<long long> ids;
    } cases[] = {
        {"sku=A-1", {10}},         {"sku=a-1", {10}},     {"sku=A", {}},
        {"sku=A-1,B-7", {10, 12}}, {"sku=D-3%2Fx", {14}}, {"sku=C%2010", {13}},
        {"sku=E%2B5", {20}},       {"sku=E+5", {}},      // PHP reads "+" in a query as a blank
        {"sku=NO-SUCH-SKU", {}},   {"sku=G%2C1", {30}},  // a list looks for its whole text too
        {"sku=A-1,G,1", {10}},
    };
    for (const auto& c : cases) {
        const auto result = get("products?" + c.query);
        ASSERT_TRUE(result) << c.query;
        EXPECT_EQ(idsOf(result), c.ids) << c.query;
        EXPECT_EQ(result->get_header_value("X-WP-Total"), std::to_string(c.ids.size()));
    }
}

// Lookups go through an index of the SKUs: it follows every change and keeps the list order.
TEST_F(ShopRoutesTest, SkuLookupFollowsRenamedAndCreatedProducts) {
    ASSERT_EQ(put("products/11/", R"({"sku":"z-9"})")->status, 200);
    ASSERT_EQ(client()
                  ->Post(kApi + "products", R"({"name":"new","sku":"N-1"})", "application/json")
                  ->status,
              201);
    shop().addProduct({{"id", 30}, {"name", "seeded"}, {"sku", "A-2"}});
    const long long created = shop().products()[0]["id"].get<long long>();  // the newest
    const struct {
        std::string query;
        std::vector<long long> ids;
    } cases[] = {
        {"sku=Z-9", {11}},
        {"sku=A-2", {30}},
        {"sku=n-1,A-1,a-2", {created, 10, 30}},
    };
    for (const auto& c : cases) {
        const auto result = get("products?" + c.query);
        ASSERT_TRUE(result) << c.query;
        EXPECT_EQ(idsOf(result), c.ids) << c.query;
    }
    EXPECT_EQ(
        put("products/12/", R"({"sku":"Z-9"})")->body,
        R"({"code":"product_invalid_sku","message":"Invalid or duplicated SKU.","data":{"status":400,"resource_id":11,"unique_sku":"Z-9-1"}})");
}

TEST_F(ShopRoutesTest, UnknownIdIs404OnGetAnd400OnPut) {
    const struct {
        std::string resource;
        std::string update;
        std::string code;
    } cases[] = {
        {"orders/999999/", R"({"status":"completed"})", "woocommerce_rest_shop_order_invalid_id"},
        {"products/999999/", R"({"stock_quantity":5})", "woocommerce_rest_product_invalid_id"}};
    for (const auto& c : cases) {
        auto result = get(c.resource);
        ASSERT_TRUE(result);
        EXPECT_EQ(result->status, 404);
        EXPECT_EQ(result->body,
                  R"({"code":")" + c.code + R"(","message":"Invalid ID.","data":{"status":404}})");
        result = put(c.resource, c.update);
        ASSERT_TRUE(result);
        EXPECT_EQ(result->status, 400);
        EXPECT_EQ(result->reason, "Bad Request");
        EXPECT_EQ(result->body,
                  R"({"code":")" + c.code + R"(","message":"Invalid ID.","data":{"status":400}})");
    }
}

TEST_F(ShopRoutesTest, RefusesBadBodiesAsTheShopDoes) {
    const struct {
        std::string resource;
        std::string body;
        std::string answer;
    } cases[] = {
        {"products/10/", R"({"regular_price":150000})",
         R"({"code":"rest_invalid_param","message":"Invalid parameter(s): regular_price","data":{"status":400,"params":{"regular_price":"regular_price is not of type string."},"details":{"regular_price":{"code":"rest_invalid_type","message":"regular_price is not of type string.","data":{"param":"regular_price"}}}}})"},
        {"products/10/", R"({"stock_quantity":"abc"})",
         R"({"code":"rest_invalid_param","message":"Invalid parameter(s): stock_quantity","data":{"status":400,"params":{"stock_quantity":"stock_quantity is not of type integer."},"details":{"stock_quantity":{"code":"rest_invalid_type","message":"stock_quantity is not of type integer.","data":{"param":"stock_quantity"}}}}})"},
        {"products/10/", R"({"stock_quantity":12,)",
         R"({"code":"rest_invalid_json","message":"Invalid JSON body passed.","data":{"status":400,"json_error_code":4,"json_error_message":"Syntax error"}})"},
        {"orders/15/", R"({"status":"shipped"})",
         R"({"code":"rest_invalid_param","message":"Invalid parameter(s): status","data":{"status":400,"params":{"status":"status is not one of auto-draft, pending, processing, on-hold, completed, cancelled, refunded, failed, and checkout-draft."},"details":{"status":{"code":"rest_not_in_enum","message":"status is not one of auto-draft, pending, processing, on-hold, completed, cancelled, refunded, failed, and checkout-draft.","data":null}}}})"},
        {"products/11/", R"({"sku":"a-1"})",
         R"({"code":"product_invalid_sku","message":"Invalid or duplicated SKU.","data":{"status":400,"resource_id":10,"unique_sku":"a-1-1"}})"},
    };
    const auto productBefore = shop().product(10);
    for (const auto& c : cases) {
        const auto result = put(c.resource, c.body);
        ASSERT_TRUE(result) << c.body;
        EXPECT_EQ(result->status, 400) << c.body;
        EXPECT_EQ(result->body, c.answer);
    }
    EXPECT_EQ(shop().product(10), productBefore);
    EXPECT_EQ(shop().order(15)["status"], "processing");
}

TEST_F(ShopRoutesTest, ProductUpdateMergesAndDerivesStockAsTheShopDoes) {
    const struct {
        std::string body;
        nlohmann::json quantity;
        std::string stockStatus;
    } cases[] = {
        {R"({"stock_quantity":12})", 12, "instock"},
        {R"({"stock_quantity":"7"})", 7, "instock"},  // an integral text counts as an integer
        {R"({"stock_quantity":0})", 0, "outofstock"},
        {R"({"manage_stock":true,"stock_quantity":null})", 0, "outofstock"},
        {R"({"manage_stock":false,"stock_quantity":5})", nullptr, "outofstock"},  // status kept
        {R"({"manage_stock":true,"stock_quantity":3})", 3, "instock"},
    };
    for (const auto& c : cases) {
        const auto result = put("products/10/", c.body);
        ASSERT_TRUE(result) << c.body;
        ASSERT_EQ(result->status, 200) << result->body;
        const auto answered = bodyOf(result);
        EXPECT_EQ(answered["stock_quantity"], c.quantity) << c.body;
        EXPECT_EQ(answered["stock_status"], c.stockStatus) << c.body;
        EXPECT_EQ(answered["name"], "چای سبز ممتاز ۵۰۰ گرمی");  // the whole object comes back
        EXPECT_EQ(nlohmann::json(shop().product(10)["stock_quantity"]), c.quantity);
    }

    const auto result =
        put("products/10/", R"({"regular_price":"160000","sale_price":"155000","weight":"0.6"})");
    ASSERT_TRUE(result);
    const auto stored = shop().product(10);
    EXPECT_EQ(stored["price"], "155000");
    EXPECT_EQ(stored["on_sale"], true);
    EXPECT_EQ(stored["weight"], "0.6");
    EXPECT_EQ(stored["sku"], "A-1");
}

// Every change moves the order's modification date; the completion date is set once.
TEST_F(ShopRoutesTest, OrderStatusChangeKeepsTheCompletionDateAndMovesTheModificationDate) {
    const auto now = std::make_shared<std::atomic<long long>>(1796000000);
    Options options;
    options.clock = [now] {
        return std::chrono::system_clock::time_point(std::chrono::seconds(now->load()));
    };
    startShop(options);

    auto result = put("orders/16/", R"({"status":"completed"})");
    ASSERT_TRUE(result);
    EXPECT_EQ(result->status, 200);
    EXPECT_EQ(bodyOf(result)["status"], "completed");
    EXPECT_EQ(shop().order(16)["date_completed"], "2026-11-30T00:53:20");
    EXPECT_EQ(shop().order(16)["date_modified_gmt"], "2026-11-30T00:53:20");
    EXPECT_EQ(shop().order(16)["line_items"].size(), 3u);

    *now += 61;
    result = put("orders/16", R"({"status":"processing"})");
    ASSERT_TRUE(result);
    EXPECT_EQ(shop().order(16)["status"], "processing");
    EXPECT_EQ(shop().order(16)["date_completed"], "2026-11-30T00:53:20");
    EXPECT_EQ(shop().order(16)["date_modified_gmt"], "2026-11-30T00:54:21");
}

TEST_F(ShopRoutesTest, PostCreatesAProduct) {
    const auto result = client()->Post(
        kApi + "products/", R"({"name":"گلاب قمصر","sku":"G-1","regular_price":"90000"})",
        "application/json");
    ASSERT_TRUE(result);
    EXPECT_EQ(result->status, 201);
    EXPECT_EQ(result->reason, "Created");
    const auto created = bodyOf(result);
    const long long id = created["id"];
    EXPECT_GT(id, 20);
    EXPECT_EQ(created["price"], "90000");
    EXPECT_EQ(result->get_header_value("Location"),
              "http://127.0.0.1:" + std::to_string(shop().port()) + kApi + "products/" +
                  std::to_string(id));
    EXPECT_EQ(shop().product(id)["sku"], "G-1");
}

TEST_F(ShopRoutesTest, BatchUpdateTakesItemsUncheckedAndAnswersEachInOrder) {
    // The request of the captured batch answer: a saved item, an unknown id, and two values a
    // single PUT refuses.
    const auto result = client()->Post(
        kApi + "products/batch",
        R"({"update":[{"id":10,"stock_quantity":15,"manage_stock":true,"weight":"0.6","regular_price":"155000","sale_price":""},{"id":999999,"weight":"1"},{"id":12,"stock_quantity":"abc"},{"id":13,"regular_price":150000}]})",
        "application/json");
    ASSERT_TRUE(result);
    EXPECT_EQ(result->status, 200);
    EXPECT_EQ(result->get_header_value("Allow"), "POST, PUT, PATCH");
    const auto answer = bodyOf(result);
    ASSERT_EQ(answer["update"].size(), 4u);
    EXPECT_EQ(answer["update"][0]["stock_quantity"], 15);
    EXPECT_EQ(answer["update"][0]["price"], "155000");
    EXPECT_NE(
        result->body.find(
            R"({"id":999999,"error":{"code":"woocommerce_rest_product_invalid_id","message":"Invalid ID.","data":{"status":400}}})"),
        std::string::npos);
    EXPECT_EQ(answer["update"][2]["id"], 12);
    EXPECT_TRUE(answer["update"][2]["stock_quantity"].is_null());
    EXPECT_EQ(answer["update"][3]["regular_price"], "150000");
    EXPECT_EQ(shop().product(10)["weight"], "0.6");
    EXPECT_EQ(shop().product(13)["regular_price"], "150000");
}

TEST_F(ShopRoutesTest, BatchCreateRefusesAnItemWithAnIdAndTheRouteTakesAHundredItems) {
    auto result = client()->Post(
        kApi + "products/batch/",
        R"({"create":[{"name":"Rose water","sku":"G-2","regular_price":"90000"},{"id":10,"sku":"G-3"},{"sku":"a-1"}]})",
        "application/json");
    ASSERT_TRUE(result);
    EXPECT_EQ(result->status, 200);
    const auto created = bodyOf(result)["create"];
    ASSERT_EQ(created.size(), 3u);
    EXPECT_EQ(shop().product(created[0]["id"].get<long long>())["sku"], "G-2");
    EXPECT_EQ(
        created[1].dump(),
        R"({"error":{"code":"woocommerce_rest_product_exists","data":{"status":400},"message":"Cannot create existing product."},"id":0})");
    EXPECT_EQ(created[2]["error"]["code"], "product_invalid_sku");

    std::string items;
    for (int i = 0; i < 101; ++i) items += std::string(i ? "," : "") + R"({"id":10})";
    result = client()->Post(kApi + "products/batch", R"({"update":[)" + items + "]}",
                            "application/json");
    ASSERT_TRUE(result);
    EXPECT_EQ(result->status, 413);
    EXPECT_EQ(bodyOf(result)["message"], "Unable to accept more than 100 items for this request.");

    result = get("products/batch");
    ASSERT_TRUE(result);
    EXPECT_EQ(result->status, 404);
}

TEST_F(ShopRoutesTest, AnswersEscapeAsThePhpShopDoes) {
    const auto result = get("products?sku=D-3%2Fx");
    ASSERT_TRUE(result);
    EXPECT_NE(result->body.find(R"("sku":"D-3\/x")"), std::string::npos);
    // "خرما" as \u escapes, never as raw UTF-8 bytes
    EXPECT_NE(result->body.find(R"(\u062e\u0631\u0645\u0627)"), std::string::npos);
    EXPECT_EQ(result->body.find("\xD8"), std::string::npos);
}

TEST(SampleShopSeedTest, DefaultSeedHoldsTheCasesTestsNeed) {
    const auto seed = SampleShop::defaultSeed();
    std::vector<std::string> skus;
    bool errorInDescription = false;
    for (const auto& product : seed["products"]) {
        skus.push_back(product["sku"]);
        errorInDescription |=
            product["description"].get<std::string>().find("Error") != std::string::npos;
    }
    EXPECT_EQ(skus, (std::vector<std::string>{"A-1", "A-2", "B-7", "C 10", "D-3/x", "E+5"}));
    EXPECT_TRUE(errorInDescription);

    int processing = 0;
    bool noteWithLineBreak = false;
    for (const auto& order : seed["orders"]) {
        processing += order["status"] == "processing";
        noteWithLineBreak |=
            order["customer_note"].get<std::string>().find('\n') != std::string::npos;
        EXPECT_FALSE(order["line_items"].empty());
        EXPECT_FALSE(order["shipping_lines"].empty());
    }
    EXPECT_EQ(processing, 4);
    EXPECT_EQ(seed["orders"].size(), 5u);
    EXPECT_TRUE(noteWithLineBreak);
}

TEST(SampleShopSeedTest, LoadSeedReportsAMissingFile) {
    EXPECT_THROW(SampleShop::loadSeed("/nonexistent/seed.json"), std::runtime_error);
}

}  // namespace
}  // namespace norvan::sampleshop
