// Variable products and their variations as the captured shop answers them, and SKU lookups
// that keep the two Yehs apart.
#include "ShopFixture.h"

#include <string>
#include <vector>

namespace norvan::sampleshop {
namespace {

class ShopVariationsTest : public ShopFixture {
  protected:
    // "Shirt (sizes)" 30 with S (31) and M (32) managing their own stock and L (33) its product's.
    void SetUp() override {
        startShop();
        shop().addProduct({{"id", 30},
                           {"name", "Shirt (sizes)"},
                           {"type", "variable"},
                           {"sku", "SHIRT"},
                           {"regular_price", ""},
                           {"price", "100000"},
                           {"manage_stock", true},
                           {"stock_quantity", 50},
                           {"parent_id", 0},
                           {"variations", {31, 32, 33}}});
        for (const auto& [id, size] :
             {std::pair{31, "S"}, std::pair{32, "M"}, std::pair{33, "L"}}) {
            shop().addProduct({{"id", id},
                               {"name", std::string("Shirt (sizes) - ") + size},
                               {"type", "variation"},
                               {"sku", std::string("SHIRT-") + size},
                               {"price", "100000"},
                               {"regular_price", "100000"},
                               {"sale_price", ""},
                               {"manage_stock", id != 33},
                               {"stock_quantity", id != 33 ? nlohmann::json(5) : nullptr},
                               {"parent_id", 30}});
        }
    }
};

const std::string kBody =
    R"({"sku":"SHIRT-S","stock_quantity":11,"manage_stock":true,"tax_status":"taxable","weight":"0.3","regular_price":"111000","sale_price":""})";

TEST_F(ShopVariationsTest, ALookupBySkuFindsAVariationAsItselfAndAListShowsNone) {
    auto result = get("products?sku=shirt-s");
    ASSERT_TRUE(result);
    const auto found = bodyOf(result);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0]["id"], 31);
    EXPECT_EQ(found[0]["type"], "variation");
    EXPECT_EQ(found[0]["parent_id"], 30);

    result = get("products?per_page=100");
    ASSERT_TRUE(result);
    for (const auto& product : bodyOf(result)) EXPECT_NE(product["type"], "variation");
    EXPECT_EQ(result->get_header_value("X-WP-Total"), "7");  // the seed's six and the shirt
}

TEST_F(ShopVariationsTest, AVariationIsWrittenOnlyThroughItsProduct) {
    auto result = put("products/31/", kBody);
    ASSERT_TRUE(result);
    EXPECT_EQ(result->status, 404);
    EXPECT_EQ(
        result->body,
        R"({"code":"woocommerce_rest_invalid_product_id","message":"To manipulate product variations you should use the \/products\/&lt;product_id&gt;\/variations\/&lt;id&gt; endpoint.","data":{"status":404}})");
    EXPECT_EQ(shop().product(31)["stock_quantity"], 5);

    result = client()->Post(kApi + "products/batch", R"({"update":[{"id":32,"weight":"1"}]})",
                            "application/json");
    ASSERT_TRUE(result);
    EXPECT_EQ(bodyOf(result)["update"][0]["error"]["code"], "woocommerce_rest_invalid_product_id");

    for (const std::string resource : {"products/30/variations/31", "products/30/variations/31/"}) {
        result = put(resource, kBody);
        ASSERT_TRUE(result) << resource;
        EXPECT_EQ(result->status, 200) << resource;
    }
    const auto saved = bodyOf(result);
    EXPECT_EQ(saved["stock_quantity"], 11);
    EXPECT_EQ(saved["price"], "111000");
    EXPECT_FALSE(saved.contains("type"));  // a variation's own answer
    EXPECT_EQ(
        saved["_links"]["self"][0]["href"],
        "http://127.0.0.1:" + std::to_string(shop().port()) + kApi + "products/30/variations/31");
    EXPECT_EQ(get("products/30/variations/32")->status, 200);

    // Another product's variation, or no variation at all.
    for (const std::string resource : {"products/10/variations/31", "products/30/variations/10"}) {
        result = put(resource, kBody);
        ASSERT_TRUE(result) << resource;
        EXPECT_EQ(result->status, 400) << resource;
        EXPECT_EQ(bodyOf(result)["code"], "woocommerce_rest_product_variation_invalid_id");
        EXPECT_EQ(get(resource)->status, 404) << resource;
    }
}

TEST_F(ShopVariationsTest, TheVariationsBatchSavesEachAndTheProductKeepsNoPriceOfItsOwn) {
    auto result = client()->Post(
        kApi + "products/30/variations/batch",
        R"({"update":[{"id":32,"stock_quantity":12,"manage_stock":true,"regular_price":"111000"},{"id":33,"stock_quantity":13,"manage_stock":true,"regular_price":"90000"},{"id":10,"weight":"1"}]})",
        "application/json");
    ASSERT_TRUE(result);
    EXPECT_EQ(result->status, 200);
    const auto items = bodyOf(result)["update"];
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[1]["stock_quantity"], 13);
    EXPECT_EQ(items[2]["error"]["code"], "woocommerce_rest_product_variation_invalid_id");
    EXPECT_EQ(shop().product(33)["manage_stock"], true);  // L now manages its own stock

    result = put(
        "products/30/",
        R"({"sku":"SHIRT","stock_quantity":40,"manage_stock":true,"regular_price":"120000","sale_price":""})");
    ASSERT_TRUE(result);
    EXPECT_EQ(result->status, 200);
    const auto product = bodyOf(result);
    EXPECT_EQ(product["stock_quantity"], 40);
    EXPECT_EQ(product["regular_price"], "");
    EXPECT_EQ(product["price"], "90000");  // the lowest of its variations'
}

TEST_F(ShopVariationsTest, TheTwoYehsAreDifferentSkus) {
    shop().addProduct({{"id", 34}, {"name", "Green tea"}, {"sku", "چای-سبز"}});  // Persian Yeh
    const struct {
        std::string query;
        std::size_t found;
    } cases[] = {
        {"sku=%DA%86%D8%A7%D9%8A-%D8%B3%D8%A8%D8%B2", 0},  // Arabic Yeh
        {"sku=%DA%86%D8%A7%DB%8C-%D8%B3%D8%A8%D8%B2", 1},
    };
    for (const auto& c : cases) {
        const auto result = get("products?" + c.query);
        ASSERT_TRUE(result) << c.query;
        EXPECT_EQ(bodyOf(result).size(), c.found) << c.query;
    }
}

TEST_F(ShopVariationsTest, ARemovedProductIsGoneFromLookupsAndItsRoute) {
    shop().removeProduct(10);
    EXPECT_EQ(bodyOf(get("products?sku=A-1")).size(), 0u);
    EXPECT_EQ(get("products/10")->status, 404);
    EXPECT_TRUE(shop().product(10).is_null());
}

}  // namespace
}  // namespace norvan::sampleshop
