#include "sample-shop/SampleShop.h"

#include <gtest/gtest.h>
#include <httplib.h>

namespace norvan::sampleshop {
namespace {

const std::string kApi = "/wp-json/wc/v3/";

class SampleShopTest : public ::testing::Test {
  protected:
    void SetUp() override { shop.start(); }

    httplib::Client client() {
        httplib::Client c("127.0.0.1", shop.port());
        c.set_basic_auth(Options{}.consumerKey, Options{}.consumerSecret);
        return c;
    }

    SampleShop shop;
};

TEST_F(SampleShopTest, GetsAndUpdatesAProductWithBasic) {
    auto c = client();
    auto res = c.Get(kApi + "products/10/");
    ASSERT_TRUE(res);
    EXPECT_EQ(res->status, 200);
    EXPECT_EQ(nlohmann::json::parse(res->body)["sku"], "A-1");

    res = c.Put(kApi + "products/10/", R"({"stock_quantity":12,"regular_price":"160000"})",
                "application/json");
    ASSERT_TRUE(res);
    EXPECT_EQ(res->status, 200);
    EXPECT_EQ(shop.product(10)["stock_quantity"], 12);
    EXPECT_EQ(shop.product(10)["price"], "160000");
    EXPECT_EQ(shop.requests().size(), 2u);
}

}  // namespace
}  // namespace norvan::sampleshop
