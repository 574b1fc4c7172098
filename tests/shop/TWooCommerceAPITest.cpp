#include "SampleShopFixture.h"
#include "shop/TWooCommerceAPI.h"
#include "support/ExpectError.h"
#include "support/Printers.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>

namespace norvan::shop {
namespace {

using sampleshop::Fault;

class TWooCommerceAPITest : public SampleShopFixture {
  protected:
    TWooCommerceAPI client(bool oauth1 = false) {
        return TWooCommerceAPI({baseUrl(), kKey, kSecret, oauth1});
    }
};

TEST_F(TWooCommerceAPITest, PutsTheQueryInPlaceOfTheResourcesLastSlash) {
    struct Case {
        const char* resource;
        const char* status;
        const char* target;
    };
    const Case cases[] = {
        {"products/", "", "/wp-json/wc/v3/products/"},
        {"orders/727/", "", "/wp-json/wc/v3/orders/727/"},
        {"orders/", "status=on-hold", "/wp-json/wc/v3/orders?status=on-hold"},
        {"orders", "status=x", "/wp-json/wc/v3/orders?status=x"},
        {"orders//", "status=x", "/wp-json/wc/v3/orders/?status=x"},
        {"/", "sku=A", "/wp-json/wc/v3?sku=A"},
        {"products/", "sku=C 10", "/wp-json/wc/v3/products?sku=C%2010"},
        {"products/", "sku=E+5", "/wp-json/wc/v3/products?sku=E+5"},
        {"products/", "sku=\xda\xa9", "/wp-json/wc/v3/products?sku=%DA%A9"},
    };
    TWooCommerceAPI shop = client();
    for (const Case& c : cases) {
        shop_.clearRequests();
        shop.GetResponse(QString::fromUtf8(c.resource), QString::fromUtf8(c.status));
        ASSERT_EQ(shop_.requests().size(), 1u) << c.resource;
        EXPECT_EQ(shop_.requests()[0].target, c.target) << c.resource << " " << c.status;
    }
}

TEST_F(TWooCommerceAPITest, ReturnsTheAnswerInTheFormattedLayout) {
    const QString order = client().GetResponse(QStringLiteral("orders/15/"), {});
    EXPECT_TRUE(
        order.startsWith(QStringLiteral("{\r\n    \"id\": 15,\r\n    \"parent_id\": 0,\r\n")))
        << order.left(80).toStdString();
    EXPECT_TRUE(order.endsWith(u"\r\n}"));

    const QString found =
        client(true).GetResponse(QStringLiteral("products/"), QStringLiteral("sku=C 10"));
    EXPECT_TRUE(found.startsWith(QStringLiteral("[\r\n    {\r\n        \"id\": 13,\r\n")))
        << found.left(80).toStdString();
}

TEST_F(TWooCommerceAPITest, TurnsEveryFailureIntoAnErrorText) {
    struct Case {
        Fault fault;
        const char* resource;
        QString result;
    };
    const Case cases[] = {
        {Fault::None, "orders/999999/", "Error: Not Found /"},
        {Fault::None, "orderz", "Error: Not Found /"},
        {Fault::Status500, "orders/", "Error: HTTP/1.1 500 Internal Server Error"},
        {Fault::Status503, "orders/", "Error: HTTP/1.1 503 Service Unavailable"},
        {Fault::Status429, "orders/", "Error: Too Many Requests /"},
        {Fault::Empty200, "orders/", ""},
        {Fault::NonJson200, "orders/", ""},
    };
    TWooCommerceAPI shop = client();
    for (const Case& c : cases) {
        shop_.setFault(c.fault);
        EXPECT_EQ(shop.GetResponse(QString::fromUtf8(c.resource), {}), c.result) << c.resource;
    }
    shop_.setFault(Fault::None);
    EXPECT_EQ(TWooCommerceAPI({baseUrl(), kKey, QStringLiteral("cs_wrong")})
                  .GetResponse(QStringLiteral("orders/"), {}),
              QStringLiteral("Error: Unauthorized /"));
}

TEST_F(TWooCommerceAPITest, ReportsBrokenTransfersAsRequestFailures) {
    TWooCommerceAPI shop = client();
    for (const Fault fault : {Fault::TruncatedBody, Fault::DropConnection}) {
        shop_.setFault(fault);
        const QString result = shop.GetResponse(QStringLiteral("orders/"), {});
        EXPECT_TRUE(result.startsWith(u"Error: REST request failed: ")) << result.toStdString();
    }

    sampleshop::SampleShop closed;  // a port known to be free once that shop is gone
    closed.start();
    const int port = closed.port();
    closed.stop();
    const QString result =
        TWooCommerceAPI(
            {QStringLiteral("http://127.0.0.1:%1/wp-json/wc/v3/").arg(port), kKey, kSecret})
            .GetResponse(QStringLiteral("orders/"), {});
    EXPECT_TRUE(result.startsWith(u"Error: REST request failed: ")) << result.toStdString();
}

TEST_F(TWooCommerceAPITest, GivesUpOnAStalledAnswerAfterTheNoProgressLimit) {
    shop_.setFault(Fault::Delay, std::chrono::seconds(20));
    RestOptions options;
    options.noProgressSeconds = 1;
    TWooCommerceAPI shop({baseUrl(), kKey, kSecret}, options);
    const QString result = shop.GetResponse(QStringLiteral("orders/"), {});
    EXPECT_TRUE(result.startsWith(u"Error: REST request failed: ")) << result.toStdString();
}

// What the shop sent is refused for what it is, so asking again would bring the same.
TEST_F(TWooCommerceAPITest, RefusesAnswersNestedTooDeeplyOrLargerThanTheLimit) {
    nlohmann::ordered_json nested = "bottom";
    for (int level = 0; level < 1000; ++level) nested = nlohmann::ordered_json::array({nested});
    shop_.addOrder({{"id", 900}, {"meta_data", nested}});
    const struct {
        qint64 maxAnswerBytes;
        const char* resource;
        QString result;
    } cases[] = {
        {RestOptions{}.maxAnswerBytes, "orders/900/",
         "Error: The JSON text is nested deeper than 512 levels."},
        {1000, "orders/",
         "Error: REST request failed: The shop's answer is larger than 1000 bytes."},
        {1000, "orders/999999/", "Error: Not Found /"},  // a smaller answer is taken
    };
    for (const auto& c : cases) {
        RestOptions options;
        options.maxAnswerBytes = c.maxAnswerBytes;
        TWooCommerceAPI shop({baseUrl(), kKey, kSecret}, options);
        EXPECT_EQ(shop.GetResponse(QString::fromUtf8(c.resource), {}), c.result) << c.resource;
        EXPECT_FALSE(shop.lastCallFailedInTransit()) << c.resource;
    }
}

TEST_F(TWooCommerceAPITest, EndsATricklingAnswerAtTheTotalTimeLimit) {
    shop_.setFault(Fault::Trickle, std::chrono::milliseconds(100));  // 4 KB in 7 minutes
    RestOptions options;
    options.totalSeconds = 1;
    TWooCommerceAPI shop({baseUrl(), kKey, kSecret}, options);
    EXPECT_EQ(shop.GetResponse(QStringLiteral("orders/15/"), {}),
              "Error: REST request failed: The shop's answer was not complete after 1 s.");
}

TEST_F(TWooCommerceAPITest, WriteCallsSendTheBodyAndAnswerWithTheirSuccessText) {
    TWooCommerceAPI shop = client();
    const JsonBody body = JsonBody()
                              .add(QStringLiteral("name"), QString::fromUtf8("چای / سبز"))
                              .add(QStringLiteral("regular_price"), "150000")
                              .add(QStringLiteral("stock_quantity"), 12)
                              .add(QStringLiteral("manage_stock"), true);
    shop.setProductRes(QStringLiteral("products/10/"));
    EXPECT_EQ(shop.UpdateProduct(body), QStringLiteral("201 update product."));
    shop.setProductRes(QStringLiteral("products/"));
    EXPECT_EQ(shop.AddProduct(body), QStringLiteral("201 create product."));
    shop.setOrderRes(QStringLiteral("orders/16/"));
    EXPECT_EQ(shop.UpdateOrder(JsonBody().add(QStringLiteral("status"), "completed")),
              QStringLiteral("201 update order."));

    const auto requests = shop_.requests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[0].method + " " + requests[0].target, "PUT /wp-json/wc/v3/products/10/");
    EXPECT_EQ(requests[0].body, body.compactText().toStdString());
    EXPECT_EQ(requests[0].body,
              "{\"name\":\"\xda\x86\xd8\xa7\xdb\x8c \\/ \xd8\xb3\xd8\xa8\xd8\xb2\","
              "\"regular_price\":\"150000\",\"stock_quantity\":12,\"manage_stock\":true}");
    EXPECT_EQ(requests[1].method + " " + requests[1].target, "POST /wp-json/wc/v3/products/");
    EXPECT_EQ(requests[2].method + " " + requests[2].target, "PUT /wp-json/wc/v3/orders/16/");
    EXPECT_EQ(requests[2].body, "{\"status\":\"completed\"}");
    EXPECT_EQ(shop_.order(16)["status"], "completed");

    shop.setProductRes(QStringLiteral("products/999999/"));
    EXPECT_EQ(shop.UpdateProduct(body), QStringLiteral("Error: Bad Request /"));
    shop_.setFault(Fault::Status500);
    EXPECT_EQ(shop.UpdateOrder(body), QStringLiteral("Error: HTTP/1.1 500 Internal Server Error"));
    // Something in front of the shop answered; nothing was saved.
    for (const Fault fault : {Fault::Empty200, Fault::NonJson200}) {
        shop_.setFault(fault);
        EXPECT_EQ(shop.UpdateOrder(body),
                  QStringLiteral("Error: The shop's answer (200 OK) is not what a WooCommerce "
                                 "shop sends."));
    }
}

TEST_F(TWooCommerceAPITest, BatchCallPostsTheItemsAndAnswersForEachInOrder) {
    TWooCommerceAPI shop = client();
    shop.setProductRes(QStringLiteral("products/"));
    const QList<JsonBody> items = {
        JsonBody().add(QStringLiteral("id"), 10).add(QStringLiteral("weight"), "0.6"),
        JsonBody().add(QStringLiteral("id"), 999999).add(QStringLiteral("weight"), "1/2")};

    const BatchResult updated = shop.BatchProducts(BatchAction::Update, items);
    EXPECT_EQ(updated.failure, QString());
    EXPECT_EQ(updated.itemResults, QStringList({"201 update product.", "Error: Invalid ID."}));
    EXPECT_EQ(shop_.product(10)["weight"], "0.6");
    const BatchResult created =
        shop.BatchProducts(BatchAction::Create, {JsonBody().add(QStringLiteral("sku"), "G-9")});
    EXPECT_EQ(created.itemResults, QStringList("201 create product."));
    EXPECT_FALSE(shop.lastCallFailedInTransit());

    const auto requests = shop_.requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].method + " " + requests[0].target, "POST /wp-json/wc/v3/products/batch");
    EXPECT_EQ(requests[0].body,
              R"({"update":[{"id":10,"weight":"0.6"},{"id":999999,"weight":"1\/2"}]})");
    EXPECT_EQ(requests[1].body, R"({"create":[{"sku":"G-9"}]})");
}

TEST_F(TWooCommerceAPITest, BatchCallFailsAsAWholeUnlessTheShopAnsweredItemByItem) {
    TWooCommerceAPI shop = client();
    shop.setProductRes(QStringLiteral("products/"));
    const QList<JsonBody> items = {JsonBody().add(QStringLiteral("id"), 10)};
    const struct {
        Fault fault;
        QList<JsonBody> items;
        QString failure;
        bool inTransit;
    } cases[] = {
        {Fault::NonJson200, items,
         "Error: The shop's answer (200 OK) is not what a WooCommerce shop sends.", true},
        {Fault::Status503, items, "Error: HTTP/1.1 503 Service Unavailable", true},
        {Fault::None, QList<JsonBody>(101, items.first()), "Error: Payload Too Large /", false},
    };
    for (const auto& c : cases) {
        shop_.setFault(c.fault);
        const BatchResult result = shop.BatchProducts(BatchAction::Update, c.items);
        EXPECT_EQ(result.failure, c.failure);
        EXPECT_TRUE(result.itemResults.isEmpty());
        EXPECT_EQ(shop.lastCallFailedInTransit(), c.inTransit) << c.failure.toStdString();
    }
}

TEST_F(TWooCommerceAPITest, RefusesUndefinedResourcesWithoutSending) {
    TWooCommerceAPI shop = client();
    const JsonBody body = JsonBody().add(QStringLiteral("status"), "completed");
    EXPECT_EQ(shop.GetResponse({}, QStringLiteral("status=x")),
              QStringLiteral("Error: URL resource undefined."));
    EXPECT_EQ(shop.AddProduct(body), QStringLiteral("Error: Product resource undefined."));
    EXPECT_EQ(shop.UpdateProduct(body), QStringLiteral("Error: Product resource undefined."));
    EXPECT_EQ(shop.UpdateOrder(body), QStringLiteral("Error: Order resource undefined."));
    EXPECT_EQ(shop.BatchProducts(BatchAction::Update, {body}).failure,
              QStringLiteral("Error: Product resource undefined."));
    EXPECT_TRUE(shop_.requests().empty());
}

TEST_F(TWooCommerceAPITest, RejectsAddressesWithoutScheme) {
    EXPECT_ERROR(TWooCommerceAPI({QStringLiteral("host:8443/path"), kKey, kSecret}),
                 "Invalid URL: \"host:8443/path\"");
    TWooCommerceAPI noBase({QString(), kKey, kSecret});
    EXPECT_EQ(noBase.BaseURL(), QString());
    EXPECT_EQ(noBase.GetResponse(QStringLiteral("products/"), {}),
              QStringLiteral("Error: Invalid URL: \"/products/\""));
}

TEST_F(TWooCommerceAPITest, SendsTheFixedHeadersOnEveryRequest) {
    for (const bool oauth1 : {false, true}) {
        shop_.clearRequests();
        TWooCommerceAPI shop = client(oauth1);
        EXPECT_FALSE(
            shop.GetResponse(QStringLiteral("orders/"), QStringLiteral("status=processing"))
                .startsWith(u"Error"));
        shop.setOrderRes(QStringLiteral("orders/17/"));
        EXPECT_EQ(shop.UpdateOrder(JsonBody().add(QStringLiteral("status"), "processing")),
                  QStringLiteral("201 update order."));
        for (const auto& request : shop_.requests()) {
            std::set<std::string> names;
            for (const auto& header : request.headers) names.insert(header.first);
            // No Expect, no Cookie, nothing else libcurl might add on its own.
            std::set<std::string> expected = {"Accept",       "Accept-Charset", "Authorization",
                                              "Content-Type", "Host",           "User-Agent"};
            if (request.method == "PUT") expected.insert("Content-Length");
            EXPECT_EQ(names, expected) << request.method;
            EXPECT_EQ(request.header("Accept"), "*/*");
            EXPECT_EQ(request.header("Accept-Charset"), "UTF-8");
            EXPECT_EQ(request.header("Content-Type"), "application/json");
            EXPECT_EQ(request.header("User-Agent"), "NorvanECommerce/" NORVAN_PROJECT_VERSION);
            const std::string authorization = request.header("Authorization");
            if (oauth1) {
                EXPECT_EQ(authorization.rfind("OAuth oauth_consumer_key=\"ck_", 0), 0u);
            } else {
                EXPECT_EQ(authorization,
                          "Basic " + (kKey + u':' + kSecret).toUtf8().toBase64().toStdString());
            }
        }
    }
}

TEST_F(TWooCommerceAPITest, MakesAllCallsOfOneClientOnOneConnection) {
    TWooCommerceAPI shop = client(true);
    shop.GetResponse(QStringLiteral("orders/"), QStringLiteral("status=processing"));
    shop.GetResponse(QStringLiteral("orders/15/"), {});
    shop.GetResponse(QStringLiteral("orders/999999/"), {});
    shop.setOrderRes(QStringLiteral("orders/15/"));
    shop.UpdateOrder(JsonBody().add(QStringLiteral("status"), "completed"));
    const auto requests = shop_.requests();
    ASSERT_EQ(requests.size(), 4u);
    for (const auto& request : requests) EXPECT_EQ(request.connection, requests[0].connection);
    EXPECT_EQ(shop_.connectionCount(), 1);
}

TEST_F(TWooCommerceAPITest, FollowsARedirectWithTheMethodAndBodyKept) {
    shop_.setFault(Fault::RedirectToSlashed);
    for (const bool oauth1 : {false, true}) {
        shop_.clearRequests();
        TWooCommerceAPI shop = client(oauth1);
        shop.setOrderRes(QStringLiteral("orders/16"));
        EXPECT_EQ(shop.UpdateOrder(JsonBody().add(QStringLiteral("status"), "on-hold")),
                  QStringLiteral("201 update order."));
        const auto requests = shop_.requests();
        ASSERT_EQ(requests.size(), 2u);
        EXPECT_EQ(requests[1].method + " " + requests[1].target, "PUT /wp-json/wc/v3/orders/16/");
        EXPECT_EQ(requests[1].body, "{\"status\":\"on-hold\"}");
        EXPECT_EQ(shop_.order(16)["status"], "on-hold");
    }
}

TEST_F(TWooCommerceAPITest, ListsProductsFromTheAnswerAsGetResponseAsksForThem) {
    shop_.addProduct({{"id", 40}, {"name", "Shirt"}, {"sku", "SHIRT"}, {"type", "variable"}});
    shop_.addProduct({{"id", 41}, {"sku", "SHIRT-S"}, {"type", "variation"}, {"parent_id", 40}});
    TWooCommerceAPI shop = client(true);

    const ProductList list =
        shop.ListProducts(QStringLiteral("products/"), QStringLiteral("sku=a-1,shirt-s,B-7"));

    EXPECT_EQ(list.failure, QString());
    EXPECT_EQ(list.products, QList<ListedProduct>({{"10", "A-1", "simple", "0"},
                                                   {"12", "B-7", "simple", "0"},
                                                   {"41", "SHIRT-S", "variation", "40"}}));
    EXPECT_EQ(shop_.requests().back().target, "/wp-json/wc/v3/products?sku=a-1,shirt-s,B-7");

    // A page in front of the shop answers: the call failed on its way.
    for (const Fault fault : {Fault::Empty200, Fault::NonJson200}) {
        shop_.setFault(fault);
        const ProductList failed = shop.ListProducts(QStringLiteral("products/"), {});
        EXPECT_EQ(failed.failure, QStringLiteral("Error: The shop's answer is not JSON."));
        EXPECT_TRUE(failed.products.isEmpty());
        EXPECT_TRUE(shop.lastCallFailedInTransit());
    }
    shop_.setFault(Fault::Status503);
    EXPECT_EQ(shop.ListProducts(QStringLiteral("products/"), {}).failure,
              QStringLiteral("Error: HTTP/1.1 503 Service Unavailable"));
    EXPECT_EQ(shop.ListProducts({}, {}).failure, QStringLiteral("Error: URL resource undefined."));
}

// The result texts stay as they are; beside them the client keeps what the shop said.
TEST_F(TWooCommerceAPITest, AFailedCallKeepsTheStatusAndTheShopsWords) {
    const auto get = [](TWooCommerceAPI& shop) {
        return shop.GetResponse(QStringLiteral("orders/999999/"), {});
    };
    const auto update = [](const char* resource) {
        return [resource](TWooCommerceAPI& shop) {
            shop.setProductRes(QString::fromUtf8(resource));
            return shop.UpdateProduct(JsonBody().add(QStringLiteral("weight"), "1"));
        };
    };
    const auto list = [](TWooCommerceAPI& shop) {
        return shop.ListProducts(QStringLiteral("products/"), QStringLiteral("sku=A-1")).failure;
    };
    const struct {
        Fault fault;
        std::function<QString(TWooCommerceAPI&)> call;
        QString result;
        FailedAnswer failure;
    } cases[] = {
        {Fault::None,
         get,
         "Error: Not Found /",
         {404, "woocommerce_rest_shop_order_invalid_id", "Invalid ID."}},
        {Fault::None,
         update("products/999999/"),
         "Error: Bad Request /",
         {400, "woocommerce_rest_product_invalid_id", "Invalid ID."}},
        {Fault::KeyRevoked,
         list,
         "Error: Unauthorized /",
         {401, "woocommerce_rest_cannot_view", "Sorry, you cannot list resources."}},
        {Fault::KeyRevoked,
         update("products/10/"),
         "Error: Unauthorized /",
         {401, "woocommerce_rest_cannot_edit",
          "Sorry, you are not allowed to edit this resource."}},
        {Fault::Status403, list, "Error: Forbidden /", {403, "", ""}},
        {Fault::Html404, get, "Error: Not Found /", {404, "", ""}},
        {Fault::Status429, get, "Error: Too Many Requests /", {429, "", ""}},
        {Fault::NonJson200,
         update("products/10/"),
         "Error: The shop's answer (200 OK) is not what a WooCommerce shop sends.",
         {200, "", ""}},
        {Fault::Status500, update("products/10/"), "Error: HTTP/1.1 500 Internal Server Error", {}},
        {Fault::None, list, "", {}},
    };
    TWooCommerceAPI shop = client();
    for (const auto& c : cases) {
        shop_.setFault(c.fault);
        EXPECT_EQ(c.call(shop), c.result);
        EXPECT_EQ(shop.lastFailure(), c.failure) << c.result.toStdString();
    }

    sampleshop::Options readOnly;
    readOnly.keyCanWrite = false;
    sampleshop::SampleShop readOnlyShop(sampleshop::SampleShop::defaultSeed(), readOnly);
    readOnlyShop.start();
    TWooCommerceAPI withReadOnlyKey(
        {QString::fromStdString(readOnlyShop.baseUrl()), kKey, kSecret});
    EXPECT_EQ(update("products/10/")(withReadOnlyKey), QStringLiteral("Error: Unauthorized /"));
    EXPECT_EQ(withReadOnlyKey.lastFailure(),
              (FailedAnswer{401, "woocommerce_rest_authentication_error",
                            "The API key provided does not have write permissions."}));
}

}  // namespace
}  // namespace norvan::shop
