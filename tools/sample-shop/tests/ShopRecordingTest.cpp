#include "ShopFixture.h"

namespace norvan::sampleshop {
namespace {

using ShopRecordingTest = ShopFixture;

TEST_F(ShopRecordingTest, RecordsWhatWentOnTheWire) {
    auto cli = client();
    ASSERT_TRUE(cli->Get(kApi + "products?sku=D-3%2Fx", {{"Accept-Charset", "UTF-8"}}));
    ASSERT_TRUE(cli->Put(kApi + "orders/15/", R"({"status":"completed"})", "application/json"));

    const auto requests = shop().requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].method, "GET");
    EXPECT_EQ(requests[0].target, kApi + "products?sku=D-3%2Fx");
    EXPECT_EQ(requests[0].header("accept-charset"), "UTF-8");
    EXPECT_EQ(
        requests[0].header("Authorization"),
        "Basic Y2tfNGYxYzJkMGI4ZTdhNjk1MGMzYjJhMWQwZTlmOGE3YjZjNWQ0ZTNmMjpjc185YThiN2M2ZDVlNGYz"
        "MDIxMWYyZTNkNGM1YjZhNzk4ODFhMmIzYzRk");
    EXPECT_EQ(requests[0].header("REMOTE_ADDR"), "");  // only what came over the wire
    EXPECT_EQ(requests[1].method, "PUT");
    EXPECT_EQ(requests[1].target, kApi + "orders/15/");
    EXPECT_EQ(requests[1].header("Content-Type"), "application/json");
    EXPECT_EQ(requests[1].body, R"({"status":"completed"})");

    shop().clearRequests();
    EXPECT_TRUE(shop().requests().empty());
}

TEST_F(ShopRecordingTest, CountsConnectionsWithKeepAlive) {
    auto first = client();
    ASSERT_TRUE(first->Get(kApi + "orders/15/"));
    ASSERT_TRUE(first->Get(kApi + "orders/16/"));
    EXPECT_EQ(shop().connectionCount(), 1);

    auto second = client();
    ASSERT_TRUE(second->Get(kApi + "orders/17/"));
    EXPECT_EQ(shop().connectionCount(), 2);

    const auto requests = shop().requests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[0].connection, 1);
    EXPECT_EQ(requests[1].connection, 1);
    EXPECT_EQ(requests[2].connection, 2);

    // Both clients still hold idle keep-alive connections; stop() closes them.
    shop().stop();
    EXPECT_FALSE(first->Get(kApi + "orders/15/"));
}

TEST_F(ShopRecordingTest, StartsAgainAfterStop) {
    shop().stop();
    shop().start();
    EXPECT_NE(shop().port(), 0);
    EXPECT_EQ(shop().baseUrl(), "http://127.0.0.1:" + std::to_string(shop().port()) + kApi);
    const auto result = get("orders/15/");
    ASSERT_TRUE(result);
    EXPECT_EQ(result->status, 200);
}

}  // namespace
}  // namespace norvan::sampleshop
