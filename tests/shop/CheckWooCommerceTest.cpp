#include "Printers.h"
#include "SampleShopFixture.h"
#include "common/Error.h"
#include "shop/BasicToken.h"
#include "shop/CheckWooCommerce.h"
#include "shop/TWooCommerceAPI.h"

#include <gtest/gtest.h>

namespace norvan::shop {
namespace {

class FakeWindow : public CheckWindow {
  public:
    void clearLog() override { log.clear(); }
    void appendLog(const QString& line) override { log.append(line); }
    void setBusy(bool busy) override { busyHistory.push_back(busy); }
    void processEvents() override {
        if (!failEvents.isEmpty()) throw Error(failEvents);
    }
    void clearIds() override { ids.clear(); }
    void appendIds(const QStringList& more) override { ids += more; }
    void setToken(const QString& text) override { token = text; }

    QStringList log{"earlier line"};
    QStringList ids{"earlier id"};
    std::vector<bool> busyHistory;
    QString token;
    QString failEvents;
};

class CheckWooCommerceTest : public SampleShopFixture {
  protected:
    CheckInputs inputs() const {
        CheckInputs in;
        in.edtEComURL = baseUrl();
        in.edtUser = kKey;
        in.edtPassword = kSecret;
        in.edtProductRes = QStringLiteral("products/");
        in.edtOrderRes = QStringLiteral("orders/");
        in.edtStatusAz = QStringLiteral("processing");
        return in;
    }

    QStringList logAround(const QStringList& middle) const {
        return QStringList{"---BEGIN Check---", "---Config API to get token:  " + baseUrl()} +
               middle + QStringList{"---END Check---"};
    }

    // The ids of the listed objects, in the order the shop answered them.
    QStringList idsInAnswer(const char* resource, const char* status) {
        const QString answer =
            TWooCommerceAPI(baseUrl(), kKey, kSecret, false)
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
    CheckWooCommerce(CheckProducts, inputs(), window);
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
    in.chbConKey = true;
    CheckWooCommerce(CheckOrders, in, window);
    EXPECT_EQ(window.log, logAround({"---Get method /\"ORDER\"\\ successfully.",
                                     "---Get Good Response For REST API (successful)."}));
    EXPECT_EQ(window.ids, idsInAnswer("orders/", "status=processing"));
    EXPECT_EQ(window.ids.size(), 4);
    EXPECT_EQ(shop_.requests()[0].target, "/wp-json/wc/v3/orders?status=processing");

    in.edtStatusAz = QStringLiteral("on-hold");
    CheckWooCommerce(CheckOrders, in, window);
    EXPECT_TRUE(window.ids.isEmpty());
}

TEST_F(CheckWooCommerceTest, SkipsAnUnconfiguredResourceAndKeepsTheList) {
    CheckInputs in = inputs();
    in.edtProductRes = QStringLiteral("/");
    in.edtOrderRes = QStringLiteral("/");
    for (const int type : {0, 1, 2}) {
        CheckWooCommerce(type, in, window);
        EXPECT_EQ(window.log, logAround({}));
        EXPECT_EQ(window.ids, QStringList{"earlier id"});
        EXPECT_EQ(window.token, basicToken(kKey, kSecret));
    }
    EXPECT_TRUE(shop_.requests().empty());
}

TEST_F(CheckWooCommerceTest, LogsAFailedRequestAndListsNothing) {
    CheckInputs in = inputs();
    in.edtProductRes.clear();
    CheckWooCommerce(CheckProducts, in, window);
    EXPECT_EQ(window.log, logAround({"---Response error: Error: URL resource undefined. "
                                     "(unsuccessful)."}));
    EXPECT_TRUE(window.ids.isEmpty());

    in = inputs();
    in.edtPassword = QStringLiteral("wrong");
    CheckWooCommerce(CheckOrders, in, window);
    EXPECT_EQ(window.log, logAround({"---Response error: Error: Unauthorized / (unsuccessful)."}));
    EXPECT_EQ(window.busyHistory, (std::vector<bool>{true, false, true, false}));
}

TEST_F(CheckWooCommerceTest, LogsAFailureOfItsStepsAndStillEnds) {
    window.failEvents = QStringLiteral("nested run failed");
    CheckWooCommerce(CheckProducts, inputs(), window);
    EXPECT_EQ(window.log, logAround({"---Error: nested run failed (Exception)."}));
    EXPECT_EQ(window.busyHistory, (std::vector<bool>{true, false}));
}

TEST_F(CheckWooCommerceTest, LetsARefusedAddressEscapeWithThePointerBusy) {
    CheckInputs in = inputs();
    in.edtEComURL = QStringLiteral("host:8443/path");
    EXPECT_THROW(CheckWooCommerce(CheckProducts, in, window), Error);
    EXPECT_EQ(window.log,
              (QStringList{"---BEGIN Check---", "---Config API to get token:  host:8443/path"}));
    EXPECT_EQ(window.busyHistory, std::vector<bool>{true});
    EXPECT_EQ(window.ids, QStringList{"earlier id"});
}

}  // namespace
}  // namespace norvan::shop
