#include "ShopFixture.h"

#include "sample-shop/OAuthSignature.h"

#include <chrono>
#include <string>

namespace norvan::sampleshop {
namespace {

const std::string kKey = "ck_4f1c2d0b8e7a6950c3b2a1d0e9f8a7b6c5d4e3f2";
const std::string kSecret = "cs_9a8b7c6d5e4f30211f2e3d4c5b6a79881a2b3c4d";
constexpr long long kNow = 1700000000;

std::string errorBody(const std::string& code, const std::string& message) {
    return R"({"code":")" + code + R"(","message":")" + message + R"(","data":{"status":401}})";
}

struct OAuthRequest {
    std::string key = kKey;
    std::string secret = kSecret;
    std::string nonce = "abc123";
    long long timestamp = kNow;
    bool queryInSignedUrl = false;  // the client's way: the query left inside the signed URL
};

// An Authorization header for GET http://127.0.0.1:8080/wp-json/wc/v3/orders?status=processing.
std::string oauthHeader(const OAuthRequest& request) {
    Parameters parameters = {{"oauth_consumer_key", request.key},
                             {"oauth_nonce", request.nonce},
                             {"oauth_signature_method", "HMAC-SHA1"},
                             {"oauth_timestamp", std::to_string(request.timestamp)},
                             {"oauth_version", "1.0"}};
    std::string url = "http://127.0.0.1:8080/wp-json/wc/v3/orders";
    if (request.queryInSignedUrl) {
        url += "?status=processing";
    } else {
        parameters.emplace_back("status", "processing");
    }
    const std::string signature = oauthSignature("GET", url, parameters, request.secret);
    return "OAuth oauth_consumer_key=\"" + request.key + "\", oauth_nonce=\"" + request.nonce +
           "\", oauth_signature=\"" + percentEncode(signature) +
           "\", oauth_signature_method=\"HMAC-SHA1\", oauth_timestamp=\"" +
           std::to_string(request.timestamp) + "\", oauth_version=\"1.0\"";
}

class ShopAuthenticationTest : public ShopFixture {
  protected:
    void SetUp() override {
        Options options;
        options.clock = [this] {
            return std::chrono::system_clock::time_point(std::chrono::seconds(now));
        };
        startShop(options);
    }

    // Sent with the Host the signature was made for, so the shop signs the same URL.
    httplib::Result getWithOAuth(const std::string& header) {
        return client(false)->Get(kApi + "orders?status=processing",
                                  {{"Host", "127.0.0.1:8080"}, {"Authorization", header}});
    }

    long long now = kNow;
};

TEST_F(ShopAuthenticationTest, BasicAsTheShopAnswersIt) {
    const struct {
        std::string key;
        std::string secret;
        int status;
        std::string body;  // "" for the list
    } cases[] = {
        {kKey, kSecret, 200, ""},
        {"ck_0123456789abcdef0123456789abcdef01234567",
         "cs_0123456789abcdef0123456789abcdef01234567", 401,
         errorBody("woocommerce_rest_cannot_view", "Sorry, you cannot list resources.")},
        {kKey, "cs_0123456789abcdef0123456789abcdef01234567", 401,
         errorBody("woocommerce_rest_authentication_error", "Consumer secret is invalid.")},
    };
    for (const auto& c : cases) {
        auto cli = client(false);
        cli->set_basic_auth(c.key, c.secret);
        const auto result = cli->Get(kApi + "orders?status=processing");
        ASSERT_TRUE(result);
        EXPECT_EQ(result->status, c.status) << c.key << ":" << c.secret;
        if (!c.body.empty()) {
            EXPECT_EQ(result->body, c.body);
        }
    }

    const auto anonymous = client(false)->Get(kApi + "orders?status=processing");
    ASSERT_TRUE(anonymous);
    EXPECT_EQ(anonymous->status, 401);
    EXPECT_EQ(anonymous->reason, "Unauthorized");

    const auto edit =
        client(false)->Put(kApi + "products/10/", R"({"stock_quantity":5})", "application/json");
    ASSERT_TRUE(edit);
    EXPECT_EQ(edit->body, errorBody("woocommerce_rest_cannot_edit",
                                    "Sorry, you are not allowed to edit this resource."));
    EXPECT_EQ(shop().product(10)["stock_quantity"], 17);
}

TEST_F(ShopAuthenticationTest, AKeyWithReadPermissionOnlyIsRefusedEveryWrite) {
    Options options;
    options.keyCanWrite = false;
    startShop(options);
    EXPECT_EQ(get("orders/16/")->status, 200);
    for (const std::string resource : {"orders/16/", "products/10/", "products/999999/"}) {
        const auto result = put(resource, R"({"status":"completed"})");
        ASSERT_TRUE(result) << resource;
        EXPECT_EQ(result->status, 401) << resource;
        EXPECT_EQ(result->body, errorBody("woocommerce_rest_authentication_error",
                                          "The API key provided does not have write permissions."));
    }
    EXPECT_EQ(shop().order(16)["status"], "processing");
}

TEST_F(ShopAuthenticationTest, CredentialsInTheQueryCountAsBasic) {
    const auto result = client(false)->Get(kApi + "products?sku=B-7&consumer_key=" + kKey +
                                           "&consumer_secret=" + kSecret);
    ASSERT_TRUE(result);
    EXPECT_EQ(result->status, 200);
}

TEST_F(ShopAuthenticationTest, BasicOverPlainHttpCanBeRefusedLikeARealShop) {
    Options options;
    options.basicOverPlainHttp = false;
    startShop(options);
    const auto result = get("orders?status=processing");
    ASSERT_TRUE(result);
    EXPECT_EQ(result->status, 401);
    EXPECT_EQ(result->body,
              errorBody("woocommerce_rest_cannot_view", "Sorry, you cannot list resources."));
}

TEST_F(ShopAuthenticationTest, AcceptsTheSignatureOfARealShop) {
    const auto result = getWithOAuth(
        "OAuth oauth_consumer_key=\"" + kKey +
        "\", oauth_nonce=\"abc123\", oauth_signature=\"AFL4wKOfy8bzRYuGSVi7qnUJ1Pc%3D\", "
        "oauth_signature_method=\"HMAC-SHA1\", oauth_timestamp=\"1700000000\", "
        "oauth_version=\"1.0\"");
    ASSERT_TRUE(result);
    EXPECT_EQ(result->status, 200) << result->body;
    EXPECT_EQ(bodyOf(result).size(), 4u);
}

TEST_F(ShopAuthenticationTest, RefusesOAuthAsTheShopDoes) {
    const auto invalidSignature =
        errorBody("woocommerce_rest_authentication_error",
                  "Invalid signature - provided signature does not match.");
    const struct {
        const char* what;
        OAuthRequest request;
        std::string body;
    } cases[] = {
        {"query kept inside the signed URL", {.queryInSignedUrl = true}, invalidSignature},
        {"wrong secret",
         {.secret = "cs_0123456789abcdef0123456789abcdef01234567"},
         invalidSignature},
        {"unknown key",
         {.key = "ck_0123456789abcdef0123456789abcdef01234567"},
         errorBody("woocommerce_rest_authentication_error", "Consumer key is invalid.")},
        {"timestamp an hour old",
         {.timestamp = kNow - 3600},
         errorBody("woocommerce_rest_authentication_error", "Invalid timestamp.")},
        {"timestamp 16 minutes ahead",
         {.timestamp = kNow + 16 * 60},
         errorBody("woocommerce_rest_authentication_error", "Invalid timestamp.")},
    };
    for (const auto& c : cases) {
        const auto result = getWithOAuth(oauthHeader(c.request));
        ASSERT_TRUE(result) << c.what;
        EXPECT_EQ(result->status, 401) << c.what;
        EXPECT_EQ(result->body, c.body) << c.what;
    }
}

TEST_F(ShopAuthenticationTest, ANonceIsUsedOnce) {
    const std::string header = oauthHeader({.nonce = "n-1", .timestamp = kNow - 14 * 60});
    auto result = getWithOAuth(header);
    ASSERT_TRUE(result);
    EXPECT_EQ(result->status, 200);

    result = getWithOAuth(header);
    ASSERT_TRUE(result);
    EXPECT_EQ(result->status, 401);
    EXPECT_EQ(result->body, errorBody("woocommerce_rest_authentication_error",
                                      "Invalid nonce - nonce has already been used."));

    result = getWithOAuth(oauthHeader({.nonce = "n-2", .timestamp = kNow - 14 * 60}));
    ASSERT_TRUE(result);
    EXPECT_EQ(result->status, 200);
}

}  // namespace
}  // namespace norvan::sampleshop
