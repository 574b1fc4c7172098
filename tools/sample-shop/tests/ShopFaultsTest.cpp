#include "ShopFixture.h"

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

namespace norvan::sampleshop {
namespace {

using namespace std::chrono_literals;

using ShopFaultsTest = ShopFixture;

TEST_F(ShopFaultsTest, StatusFaultsAnswerWithTheStandardReasonPhrases) {
    const struct {
        Fault fault;
        int status;
        std::string reason;
    } cases[] = {
        {Fault::Status500, 500, "Internal Server Error"},
        {Fault::Status503, 503, "Service Unavailable"},
        {Fault::Status429, 429, "Too Many Requests"},
    };
    for (const auto& c : cases) {
        shop().setFault(c.fault);
        const auto result = get("orders?status=processing");
        ASSERT_TRUE(result) << c.status;
        EXPECT_EQ(result->status, c.status);
        EXPECT_EQ(result->reason, c.reason);
    }
    shop().setFault(Fault::None);
    EXPECT_EQ(get("orders?status=processing")->status, 200);
}

// Answers that say nothing about what was asked: a key revoked in the shop, a firewall, a web
// server's own page.
TEST_F(ShopFaultsTest, RefusalsInFrontOfTheRoutesAnswerAsTheirSourceDoes) {
    const struct {
        Fault fault;
        std::string method;
        int status;
        std::string body;  // the start of it
    } cases[] = {
        {Fault::KeyRevoked, "GET", 401,
         R"({"code":"woocommerce_rest_cannot_view","message":"Sorry, you cannot list resources.")"},
        {Fault::KeyRevoked, "PUT", 401,
         R"({"code":"woocommerce_rest_cannot_edit","message":"Sorry, you are not allowed to edit this resource.")"},
        {Fault::Status403, "GET", 403, "<!DOCTYPE html>"},
        {Fault::Html404, "PUT", 404, "<!DOCTYPE html>"},
    };
    for (const auto& c : cases) {
        shop().setFault(c.fault);
        const auto result =
            c.method == "GET" ? get("products?sku=A-1") : put("products/10/", R"({"weight":"9"})");
        ASSERT_TRUE(result) << c.body;
        EXPECT_EQ(result->status, c.status) << c.body;
        EXPECT_EQ(result->body.rfind(c.body, 0), 0u) << result->body;
    }
    EXPECT_EQ(shop().product(10)["weight"], "0.5");
}

TEST_F(ShopFaultsTest, AFaultCanStartAfterSomeNormalAnswers) {
    shop().setFault(Fault::Status503, {}, 2);
    EXPECT_EQ(get("orders/15/")->status, 200);
    EXPECT_EQ(get("orders/16/")->status, 200);
    EXPECT_EQ(get("orders/17/")->status, 503);
    EXPECT_EQ(get("orders/17/")->status, 503);
}

TEST_F(ShopFaultsTest, EmptyAndNonJson200) {
    shop().setFault(Fault::Empty200);
    auto result = get("orders/15/");
    ASSERT_TRUE(result);
    EXPECT_EQ(result->status, 200);
    EXPECT_EQ(result->body, "");

    shop().setFault(Fault::NonJson200);
    result = get("orders/15/");
    ASSERT_TRUE(result);
    EXPECT_EQ(result->status, 200);
    EXPECT_FALSE(result->body.empty());
    EXPECT_FALSE(nlohmann::json::accept(result->body));
}

TEST_F(ShopFaultsTest, RedirectsToTheSlashedPathWhichAnswersNormally) {
    shop().setFault(Fault::RedirectToSlashed);
    auto cli = client();
    auto result = cli->Get(kApi + "orders?status=processing");
    ASSERT_TRUE(result);
    EXPECT_EQ(result->status, 301);
    EXPECT_EQ(result->reason, "Moved Permanently");
    EXPECT_EQ(
        result->get_header_value("Location"),
        "http://127.0.0.1:" + std::to_string(shop().port()) + kApi + "orders/?status=processing");

    cli->set_follow_location(true);
    result = cli->Get(kApi + "orders?status=processing");
    ASSERT_TRUE(result);
    EXPECT_EQ(result->status, 200);
    EXPECT_EQ(bodyOf(result).size(), 4u);
}

TEST_F(ShopFaultsTest, RedirectsEveryRequestToTheSameTargetOnAnotherOrigin) {
    const struct {
        int status;
        std::string reason;
    } cases[] = {
        {301, "Moved Permanently"},
        {302, "Found"},
        {307, "Temporary Redirect"},
        {308, "Permanent Redirect"},
    };
    const nlohmann::ordered_json order = shop().order(15);
    for (const auto& c : cases) {
        shop().redirectTo("https://127.4.5.6", c.status);
        const auto result = put("orders/15/?force=1", R"({"status":"cancelled"})");
        ASSERT_TRUE(result) << c.status;
        EXPECT_EQ(result->status, c.status);
        EXPECT_EQ(result->reason, c.reason);
        EXPECT_EQ(result->get_header_value("Location"),
                  "https://127.4.5.6" + kApi + "orders/15/?force=1");
    }
    EXPECT_EQ(shop().requests().size(), 4u);
    EXPECT_EQ(shop().order(15), order);  // the shop behind saw none of them

    shop().redirectTo("");
    EXPECT_EQ(get("orders/15/")->status, 200);
}

TEST_F(ShopFaultsTest, DroppedConnectionAndTruncatedBodyFailOnTheClient) {
    for (const Fault fault : {Fault::DropConnection, Fault::TruncatedBody}) {
        shop().setFault(fault);
        const auto result = get("orders/15/");
        EXPECT_FALSE(result);
        EXPECT_EQ(result.error(), httplib::Error::Read);
    }
    shop().setFault(Fault::None);
    EXPECT_EQ(get("orders/15/")->status, 200);
    EXPECT_EQ(shop().requests().size(), 3u);  // the failed ones are recorded too
}

TEST_F(ShopFaultsTest, AFaultRateFailsItsShareWithTheSameFaultsForTheSameSeed) {
    // What a client meets, request after request.
    const auto outcomes = [&](unsigned seed) {
        shop().setFaultRate(0.15, seed);
        std::vector<std::string> met;
        for (int request = 0; request < 200; ++request) {
            const auto result = get("orders/15/");
            if (!result)
                met.push_back("no answer");
            else if (result->status == 200 && !nlohmann::json::accept(result->body))
                met.push_back("200 not JSON");
            else
                met.push_back(std::to_string(result->status));
        }
        return met;
    };
    const std::vector<std::string> first = outcomes(1);
    EXPECT_EQ(outcomes(1), first);
    EXPECT_NE(outcomes(2), first);
    const auto failed =
        std::ranges::count_if(first, [](const std::string& m) { return m != "200"; });
    EXPECT_GE(failed, 15);
    EXPECT_LE(failed, 45);
    for (const std::string kind : {"500", "503", "429", "no answer", "200 not JSON"})
        EXPECT_NE(std::ranges::find(first, kind), first.end()) << kind;

    shop().setFaultRate(1, 1, {Fault::Status429});
    EXPECT_EQ(get("orders/15/")->status, 429);
    shop().setFaultRate(0, 1);
    EXPECT_EQ(get("orders/15/")->status, 200);
}

TEST_F(ShopFaultsTest, ARequestHookFailsTheRequestsItChoosesBeforeTheOtherSwitches) {
    shop().setRequestHook([](const RecordedRequest& request) {
        return request.method == "PUT" && request.target.starts_with(kApi + "orders/17/")
                   ? Fault::Status500
                   : Fault::None;
    });
    const std::string body = R"({"status":"completed"})";
    EXPECT_EQ(put("orders/17/", body)->status, 500);
    EXPECT_EQ(shop().order(17)["status"], "processing");
    EXPECT_EQ(get("orders/17/")->status, 200);
    EXPECT_EQ(put("orders/16/", body)->status, 200);
    EXPECT_EQ(shop().order(16)["status"], "completed");

    shop().setFault(Fault::Status503);
    EXPECT_EQ(put("orders/17/", body)->status, 500);
    EXPECT_EQ(get("orders/17/")->status, 503);

    shop().setFault(Fault::None);
    shop().setRequestHook({});
    EXPECT_EQ(put("orders/17/", body)->status, 200);
}

TEST_F(ShopFaultsTest, DelayAndTrickleAnswerNormallyAfterwards) {
    const auto normal = get("orders/999999/");  // short, for the trickle's sake
    ASSERT_TRUE(normal);
    for (const Fault fault : {Fault::Delay, Fault::Trickle}) {
        shop().setFault(fault, 1ms);
        const auto result = get("orders/999999/");
        ASSERT_TRUE(result);
        EXPECT_EQ(result->status, 404);
        EXPECT_EQ(result->body, normal->body);
    }
}

TEST_F(ShopFaultsTest, StopEndsALongDelay) {
    for (const Fault fault : {Fault::Delay, Fault::Trickle}) {
        startShop().setFault(fault, 10min);
        auto cli = client();
        cli->set_read_timeout(0, 200'000);
        const auto result = cli->Get(kApi + "orders/15/");
        EXPECT_EQ(result.error(), httplib::Error::Read);
        shop().stop();  // returns although the handler still waits out its delay
    }
}

TEST_F(ShopFaultsTest, ADelayPerRequestHoldsEveryAnswerBackUntilStop) {
    Options options;
    options.delayPerRequest = 20ms;
    startShop(options);
    auto result = get("products?sku=A-1");
    ASSERT_TRUE(result);
    EXPECT_EQ(result->status, 200);
    EXPECT_EQ(bodyOf(result)[0]["id"], 10);

    options.delayPerRequest = 10min;
    startShop(options);
    auto cli = client();
    cli->set_read_timeout(0, 200'000);
    EXPECT_EQ(cli->Get(kApi + "products?sku=A-1").error(), httplib::Error::Read);
    EXPECT_EQ(shop().requests().size(), 1u);  // recorded as it came, before the wait
    shop().stop();  // returns although the handler still waits out its delay
}

}  // namespace
}  // namespace norvan::sampleshop
