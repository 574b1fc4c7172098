#include "SampleShopFixture.h"
#include "common/Error.h"
#include "shop/BasicToken.h"
#include "shop/CheckWooCommerce.h"
#include "shop/TWooCommerceAPI.h"
#include "support/Printers.h"
#include "support/RecordingRunLog.h"

#include <gtest/gtest.h>

namespace norvan::shop {
namespace {

using sampleshop::Fault;

class FakeWindow : public testing::RecordingRunLog<CheckWindow> {
  public:
    FakeWindow() { log = QStringList{"earlier line"}; }
    void clearIds() override { ids.clear(); }
    void appendIds(const QStringList& more) override { ids += more; }
    void setToken(const QString& text) override { token = text; }

    QStringList ids{"earlier id"};
    QString token;
};

class CheckWooCommerceTest : public SampleShopFixture {
  protected:
    CheckInputs inputs() const {
        return {.connection = {.baseUrl = baseUrl(), .user = kKey, .password = kSecret},
                .productRes = QStringLiteral("products/"),
                .orderRes = QStringLiteral("orders/"),
                .statusAz = QStringLiteral("processing")};
    }

    // The check's log around its middle lines; the test shop speaks plain http.
    QStringList logAround(const QStringList& middle, bool oauth1 = false) const {
        QStringList log{"---BEGIN Check---", "---Config API to get token:  " + baseUrl()};
        if (!oauth1) log.append(kPlainBasicWarning);
        return log + middle + QStringList{"---END Check---"};
    }

    static inline const QString kPlainBasicWarning = QStringLiteral(
        "---Warning: Basic authentication over http:// sends the key and secret unencrypted; "
        "use an https:// address.");

    // The ids of the listed objects, in the order the shop answered them.
    QStringList idsInAnswer(const char* resource, const char* status) {
        const QString answer =
            TWooCommerceAPI({.baseUrl = baseUrl(), .user = kKey, .password = kSecret})
                .GetResponse(QString::fromUtf8(resource), QString::fromUtf8(status));
        QStringList ids;
        for (const auto& object : nlohmann::json::parse(answer.toStdString())) {
            ids.append(QString::number(object["id"].get<long long>()));
        }
        return ids;
    }

    FakeWindow window;
};

TEST_F(CheckWooCommerceTest, ListsTheProductsEvenWhenADescriptionSaysError) {
    const CheckOutcome outcome = CheckWooCommerce(CheckKind::Products, inputs(), window);
    EXPECT_EQ(outcome.answer, CheckOutcome::Answer::Listed);
    EXPECT_EQ(outcome.idsListed, 6);
    EXPECT_EQ(window.log, logAround({"---Get method /\"PRODUCT\"\\ successfully.",
                                     "---Get Good Response For REST API (successful)."}));
    EXPECT_EQ(window.ids, idsInAnswer("products/", ""));
    EXPECT_EQ(window.ids.size(), 6);
    EXPECT_EQ(window.busyHistory, (std::vector<bool>{true, false}));
    EXPECT_EQ(window.token, basicToken(kKey, kSecret));
    EXPECT_EQ(shop_.requests()[0].target, "/wp-json/wc/v3/products/");
}

TEST_F(CheckWooCommerceTest, ListsTheOrdersOfTheSourceStatusOverOAuth) {
    CheckInputs in = inputs();
    in.connection.oauth1 = true;
    CheckWooCommerce(CheckKind::Orders, in, window);
    EXPECT_EQ(window.log, logAround({"---Get method /\"ORDER\"\\ successfully.",
                                     "---Get Good Response For REST API (successful)."},
                                    true));
    EXPECT_EQ(window.ids, idsInAnswer("orders/", "status=processing"));
    EXPECT_EQ(window.ids.size(), 4);
    EXPECT_EQ(shop_.requests()[0].target, "/wp-json/wc/v3/orders?status=processing");

    in.statusAz = QStringLiteral("on-hold");
    CheckWooCommerce(CheckKind::Orders, in, window);
    EXPECT_TRUE(window.ids.isEmpty());
}

TEST_F(CheckWooCommerceTest, SkipsAnUnconfiguredResourceAndKeepsTheList) {
    CheckInputs in = inputs();
    in.productRes = QStringLiteral("/");
    in.orderRes = QStringLiteral("/");
    for (const CheckKind kind : {CheckKind::Products, CheckKind::Orders}) {
        EXPECT_EQ(CheckWooCommerce(kind, in, window).answer, CheckOutcome::Answer::NotAsked);
        EXPECT_EQ(window.log, logAround({}));
        EXPECT_EQ(window.ids, QStringList{"earlier id"});
        EXPECT_EQ(window.token, basicToken(kKey, kSecret));
    }
    EXPECT_TRUE(shop_.requests().empty());
}

TEST_F(CheckWooCommerceTest, LogsAFailedRequestAndListsNothing) {
    CheckInputs in = inputs();
    in.productRes.clear();
    EXPECT_EQ(CheckWooCommerce(CheckKind::Products, in, window).answer,
              CheckOutcome::Answer::Failed);
    EXPECT_EQ(window.log, logAround({"---Response error: Error: URL resource undefined. "
                                     "(unsuccessful)."}));
    EXPECT_TRUE(window.ids.isEmpty());

    in = inputs();
    in.connection.password = QStringLiteral("wrong");
    EXPECT_EQ(CheckWooCommerce(CheckKind::Orders, in, window).answer, CheckOutcome::Answer::Failed);
    EXPECT_EQ(window.log, logAround({"---Response error: Error: Unauthorized / (unsuccessful).",
                                     "---The shop says: Consumer secret is invalid."}));
    EXPECT_EQ(window.busyHistory, (std::vector<bool>{true, false, true, false}));
}

TEST_F(CheckWooCommerceTest, AShopThatMovedIsNamedForTheSettings) {
    shop_.redirectTo("https://shop.example:8443");
    CheckWooCommerce(CheckKind::Orders, inputs(), window);
    EXPECT_EQ(window.log,
              logAround({"---Response error: Error: Moved Permanently / (unsuccessful).",
                         "---The shop moved to: "
                         "https://shop.example:8443/wp-json/wc/v3/orders?status=processing"}));
}

TEST_F(CheckWooCommerceTest, LogsAFailureOfItsStepsAndStillEnds) {
    window.onPump = [] { throw Error(QStringLiteral("nested run failed")); };
    EXPECT_EQ(CheckWooCommerce(CheckKind::Products, inputs(), window).answer,
              CheckOutcome::Answer::Failed);
    EXPECT_EQ(window.log, logAround({"---Error: nested run failed (Exception)."}));
    EXPECT_EQ(window.busyHistory, (std::vector<bool>{true, false}));
}

TEST_F(CheckWooCommerceTest, LetsARefusedAddressEscapeWithThePointerBusy) {
    CheckInputs in = inputs();
    in.connection.baseUrl = QStringLiteral("host:8443/path");
    EXPECT_THROW(CheckWooCommerce(CheckKind::Products, in, window), Error);
    EXPECT_EQ(window.log,
              (QStringList{"---BEGIN Check---", "---Config API to get token:  host:8443/path"}));
    EXPECT_EQ(window.busyHistory, std::vector<bool>{true});
    EXPECT_EQ(window.ids, QStringList{"earlier id"});
}

// A login or maintenance page, or a caching layer, answering instead of the shop: the listing
// failed, whatever the status said.
TEST_F(CheckWooCommerceTest, AnAnswerThatIsNotJsonIsAFailedListing) {
    for (const CheckKind kind : {CheckKind::Products, CheckKind::Orders}) {
        for (const Fault fault : {Fault::NonJson200, Fault::Empty200}) {
            shop_.setFault(fault);
            EXPECT_EQ(CheckWooCommerce(kind, inputs(), window).answer,
                      CheckOutcome::Answer::Failed);
            EXPECT_EQ(window.log, logAround({"---Response error: Error: The shop's answer is not "
                                             "JSON. (unsuccessful)."}));
            EXPECT_TRUE(window.ids.isEmpty());
        }
    }
}

// A later listing of an order run adds to the run's log: nothing cleared, no second warning.
TEST_F(CheckWooCommerceTest, AContinuedListingAppendsToTheRunsLog) {
    CheckWooCommerce(CheckKind::Orders, inputs(), window);
    const QStringList first = window.log;
    CheckWooCommerce(CheckKind::Orders, inputs(), window, CheckLog::Continued);
    const QStringList continued{"---BEGIN Check---", "---Config API to get token:  " + baseUrl(),
                                "---Get method /\"ORDER\"\\ successfully.",
                                "---Get Good Response For REST API (successful).",
                                "---END Check---"};
    EXPECT_EQ(window.log, first + continued);
}

// The warning is the only difference: with OAuth or over https nothing is said.
TEST_F(CheckWooCommerceTest, WarnsOfBasicOverPlainHttpOnly) {
    CheckInputs in = inputs();
    in.connection.oauth1 = true;
    CheckWooCommerce(CheckKind::Products, in, window);
    EXPECT_FALSE(window.log.contains(kPlainBasicWarning));
    in.connection.oauth1 = false;
    in.connection.baseUrl = QStringLiteral("HTTP://127.0.0.1:1/wp-json/wc/v3/");
    CheckWooCommerce(CheckKind::Products, in, window);
    EXPECT_EQ(window.log.value(2), kPlainBasicWarning);
    in.connection.baseUrl = QStringLiteral("https://127.0.0.1:1/wp-json/wc/v3/");
    CheckWooCommerce(CheckKind::Products, in, window);
    EXPECT_FALSE(window.log.contains(kPlainBasicWarning));
}

}  // namespace
}  // namespace norvan::shop
