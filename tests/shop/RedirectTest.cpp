#include "SampleShopFixture.h"
#include "sample-shop/SelfSignedCertificate.h"
#include "shop/TWooCommerceAPI.h"
#include "support/Printers.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <stdexcept>
#include <string>

namespace norvan::shop {
namespace {

using sampleshop::SampleShop;
using sampleshop::SelfSignedCertificate;

// A shop that moved: every request is sent on to an origin the credentials must not reach.
class ForeignRedirectTest : public SampleShopFixture {
  protected:
    void SetUp() override {
        SampleShopFixture::SetUp();
        foreign_.start();
    }

    sampleshop::SampleShop foreign_;
};

TEST_F(ForeignRedirectTest, StopsAtTheRedirectAndNamesTheAddress) {
    const std::string port = std::to_string(shop_.port());
    const std::string foreignPort = std::to_string(foreign_.port());
    const struct {
        int status;
        const char* reason;
        std::string origin;
    } cases[] = {
        {301, "Moved Permanently", "http://127.0.0.1:" + foreignPort},
        {302, "Found", "https://127.0.0.1:" + foreignPort},
        {307, "Temporary Redirect", "http://localhost:" + port},   // another host name
        {308, "Permanent Redirect", "https://127.0.0.1:" + port},  // https, but not port 443
    };
    const JsonBody update = JsonBody().add(QStringLiteral("status"), "completed");
    TWooCommerceAPI shop({baseUrl(), kKey, kSecret});
    shop.setOrderRes(QStringLiteral("orders/16/"));
    for (const auto& c : cases) {
        shop_.redirectTo(c.origin, c.status);
        shop_.clearRequests();
        const QString failure = QStringLiteral("Error: %1 /").arg(QString::fromUtf8(c.reason));
        EXPECT_EQ(shop.GetResponse(QStringLiteral("orders/"), QStringLiteral("status=processing")),
                  failure);
        EXPECT_EQ(shop.movedTo().toStdString(),
                  c.origin + "/wp-json/wc/v3/orders?status=processing");
        EXPECT_EQ(shop.UpdateOrder(update), failure);
        EXPECT_EQ(shop.movedTo().toStdString(), c.origin + "/wp-json/wc/v3/orders/16/");
        EXPECT_TRUE(shop.lastCallFailedInTransit());  // holds until the address is corrected
        EXPECT_EQ(shop_.requests().size(), 2u) << c.origin;
    }
    EXPECT_TRUE(foreign_.requests().empty());
    EXPECT_EQ(foreign_.connectionCount(), 0);

    // Every call starts without the address of the one before.
    EXPECT_EQ(shop.GetResponse({}, {}), QStringLiteral("Error: URL resource undefined."));
    EXPECT_EQ(shop.movedTo(), QString());
    shop.GetResponse(QStringLiteral("orders/"), {});
    ASSERT_FALSE(shop.movedTo().isEmpty());
    shop_.redirectTo({});
    EXPECT_EQ(shop.UpdateOrder(update), QStringLiteral("201 update order."));
    EXPECT_EQ(shop.movedTo(), QString());
}

// Another run of these tests may hold ports 80 and 443 of one address at the same time; a random
// one of the loopback network keeps them apart. 127.0.x.x is left to everything else.
std::string randomLoopbackAddress() {
    std::random_device random;
    const auto number = [&](int low, int high) {
        return std::to_string(std::uniform_int_distribution<int>(low, high)(random));
    };
    return "127." + number(1, 255) + "." + number(0, 255) + "." + number(1, 254);
}

// Hosting that moves every request from http to https on one host, on the default ports, with
// the shop itself behind https. Binding ports 80 and 443 needs root.
class HttpsRedirectTest : public SampleShopFixture {
  protected:
    void SetUp() override {
        host_ = randomLoopbackAddress();
        certificate_ = std::make_unique<SelfSignedCertificate>(host_);
        sampleshop::Options options;
        options.tls = certificate_->files();
        secure_ = std::make_unique<SampleShop>(SampleShop::defaultSeed(), options);
        try {
            shop_.start(80, host_);
            secure_->start(443, host_);
        } catch (const std::runtime_error& error) {
            GTEST_SKIP() << "needs ports 80 and 443 of a loopback address (root): " << error.what();
        }
        shop_.redirectTo("https://" + host_);
    }

    TWooCommerceAPI client(bool oauth1) {
        RestOptions options;
        options.caFile = QString::fromStdString(certificate_->files().certificate);
        return TWooCommerceAPI(
            {QString::fromStdString("http://" + host_ + "/wp-json/wc/v3/"), kKey, kSecret, oauth1},
            options);
    }

    std::string host_;
    std::unique_ptr<SelfSignedCertificate> certificate_;
    std::unique_ptr<SampleShop> secure_;
};

TEST_F(HttpsRedirectTest, FollowsWithTheCredentialsAndTheBody) {
    for (const bool oauth1 : {false, true}) {
        shop_.clearRequests();
        secure_->clearRequests();
        TWooCommerceAPI shop = client(oauth1);
        const QString orders =
            shop.GetResponse(QStringLiteral("orders/"), QStringLiteral("status=processing"));
        EXPECT_TRUE(orders.startsWith(u"[\r\n    {\r\n")) << orders.left(80).toStdString();
        const JsonBody update =
            JsonBody().add(QStringLiteral("status"), oauth1 ? "on-hold" : "completed");
        shop.setOrderRes(QStringLiteral("orders/16/"));
        EXPECT_EQ(shop.UpdateOrder(update), QStringLiteral("201 update order."));
        EXPECT_EQ(shop.movedTo(), QString());
        EXPECT_EQ(secure_->order(16)["status"], oauth1 ? "on-hold" : "completed");

        const auto redirected = shop_.requests();
        const auto served = secure_->requests();
        ASSERT_EQ(redirected.size(), 2u);
        ASSERT_EQ(served.size(), 2u);
        EXPECT_EQ(served[0].method + " " + served[0].target,
                  "GET /wp-json/wc/v3/orders?status=processing");
        EXPECT_EQ(served[1].method + " " + served[1].target, "PUT /wp-json/wc/v3/orders/16/");
        EXPECT_EQ(served[1].body, update.compactText().toStdString());
        for (std::size_t i = 0; i < served.size(); ++i) {
            const std::string authorization = served[i].header("Authorization");
            if (oauth1) {
                // Signed anew for the https address, which the shop checks.
                EXPECT_EQ(authorization.rfind("OAuth oauth_consumer_key=\"ck_", 0), 0u);
                EXPECT_NE(authorization, redirected[i].header("Authorization"));
            } else {
                EXPECT_EQ(authorization,
                          "Basic " + (kKey + u':' + kSecret).toUtf8().toBase64().toStdString());
            }
        }
    }
}

TEST_F(HttpsRedirectTest, StopsWhenTheMoveAlsoChangesThePort) {
    const std::string elsewhere = "https://" + host_ + ":8443";
    shop_.redirectTo(elsewhere);
    TWooCommerceAPI shop = client(false);
    EXPECT_EQ(shop.GetResponse(QStringLiteral("orders/"), {}),
              QStringLiteral("Error: Moved Permanently /"));
    EXPECT_EQ(shop.movedTo().toStdString(), elsewhere + "/wp-json/wc/v3/orders/");
    EXPECT_TRUE(secure_->requests().empty());
}

}  // namespace
}  // namespace norvan::shop
