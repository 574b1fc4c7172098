// Which failed calls are tried again, how often, and with which pauses.
#include "SampleShopFixture.h"
#include "shop/RetryPolicy.h"
#include "shop/TWooCommerceAPI.h"

#include <vector>

namespace norvan::shop {
namespace {

using namespace std::chrono_literals;
using sampleshop::Fault;

class RetryPolicyTest : public SampleShopFixture {
  protected:
    // Calls through a client, recording the pauses; returns the result.
    QString call(const std::function<QString(TWooCommerceAPI&)>& request,
                 const RetryPolicy& policy = {}) {
        TWooCommerceAPI client({baseUrl(), kKey, kSecret, false});
        const QString result = callWithRetries(
            client, [&] { return request(client); },
            [this](std::chrono::milliseconds pause) { pauses.push_back(pause); }, policy);
        inTransit = client.lastCallFailedInTransit();
        return result;
    }

    static QString lookUp(TWooCommerceAPI& client) {
        return client.GetResponse(QStringLiteral("products/"), QStringLiteral("sku=A-1"));
    }
    static QString update(TWooCommerceAPI& client) {
        client.setProductRes(QStringLiteral("products/10/"));
        JsonBody body;
        body.add(QStringLiteral("weight"), QStringLiteral("1"));
        return client.UpdateProduct(body);
    }

    std::vector<std::chrono::milliseconds> pauses;
    bool inTransit = false;
};

TEST_F(RetryPolicyTest, FailuresInTransitAreTriedThreeTimesWithGrowingPauses) {
    const struct {
        Fault fault;
        bool write;
    } cases[] = {{Fault::Status500, false}, {Fault::Status503, false},
                 {Fault::Status429, false}, {Fault::DropConnection, false},
                 {Fault::NonJson200, true}, {Fault::Empty200, true}};
    for (const auto& c : cases) {
        shop_.setFault(c.fault);
        shop_.clearRequests();
        pauses.clear();
        const QString result = call(c.write ? update : lookUp);
        EXPECT_TRUE(result.startsWith(u"Error: ")) << result.toStdString();
        EXPECT_TRUE(inTransit) << result.toStdString();
        EXPECT_EQ(shop_.requests().size(), 3u) << result.toStdString();
        EXPECT_EQ(pauses, (std::vector<std::chrono::milliseconds>{1000ms, 2000ms}));
    }
}

TEST_F(RetryPolicyTest, SuccessAndRefusalsAreNotRepeated) {
    // The shop comes back after one failed answer: the second try succeeds.
    shop_.setFault(Fault::Status503, {}, 0);
    TWooCommerceAPI client({baseUrl(), kKey, kSecret, false});
    int tries = 0;
    const QString result = callWithRetries(
        client,
        [&] {
            if (++tries == 2) shop_.setFault(Fault::None);
            return lookUp(client);
        },
        [](std::chrono::milliseconds) {});
    EXPECT_EQ(tries, 2);
    EXPECT_FALSE(result.startsWith(u"Error: "));
    EXPECT_FALSE(client.lastCallFailedInTransit());

    // An unknown product is refused for its content.
    shop_.clearRequests();
    const QString refused = call([](TWooCommerceAPI& c) {
        c.setProductRes(QStringLiteral("products/999999/"));
        return c.UpdateProduct(JsonBody());
    });
    EXPECT_EQ(refused, QStringLiteral("Error: Bad Request /"));
    EXPECT_FALSE(inTransit);
    EXPECT_EQ(shop_.requests().size(), 1u);
    EXPECT_TRUE(pauses.empty());
}

TEST_F(RetryPolicyTest, ATryThatRanIntoATimeOutIsNotRepeated) {
    shop_.setFault(Fault::Status503);
    call(lookUp, RetryPolicy{.slowTry = 0s});
    EXPECT_TRUE(inTransit);
    EXPECT_EQ(shop_.requests().size(), 1u);
    EXPECT_TRUE(pauses.empty());
}

}  // namespace
}  // namespace norvan::shop
