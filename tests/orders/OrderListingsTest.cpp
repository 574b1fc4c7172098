#include "orders/OrderListings.h"

#include <gtest/gtest.h>

namespace norvan::orders {
namespace {

QStringList ids(int first, int count) {
    QStringList list;
    for (int id = first; id < first + count; ++id) list.append(QString::number(id));
    return list;
}

// Lists each listing in turn, trying its ids, and says after which listing the run stopped.
int listingsRun(OrderListings& listings, const std::vector<QStringList>& answers) {
    int count = 0;
    for (const QStringList& answer : answers) {
        ++count;
        listings.listed(answer);
        for (const QString& id : answer) listings.firstTry(id);
        if (!listings.listAgain()) break;
    }
    return count;
}

TEST(OrderListingsTest, ListsAgainOnlyAfterAFullPageThatBroughtNewOrders) {
    const struct {
        const char* statusText;
        std::vector<QStringList> answers;
        int listings;
    } cases[] = {
        {"processing", {ids(1, 4)}, 1},
        {"processing", {ids(1, 10), ids(11, 10), ids(21, 3), ids(30, 10)}, 3},
        // Orders 1 and 2 failed and stay in the source status; the rest moved on.
        {"processing", {ids(1, 10), ids(1, 2) + ids(11, 8), ids(1, 2)}, 3},
        {"processing", {ids(1, 10), ids(1, 10), ids(11, 10)}, 2},  // the same page again
        {"processing&per_page=50", {ids(1, 50), ids(51, 50)}, 1},
        {"processing&PAGE=2", {ids(1, 10), ids(11, 10)}, 1},
        {"processing&xpage=2", {ids(1, 10), ids(11, 10), ids(21, 1)}, 3},
    };
    for (const auto& c : cases) {
        OrderListings listings(QString::fromUtf8(c.statusText));
        EXPECT_EQ(listingsRun(listings, c.answers), c.listings) << c.statusText;
    }
}

TEST(OrderListingsTest, TriesEachOrderOnceAndEndsAShopThatKeepsPaging) {
    OrderListings listings(QStringLiteral("processing"));
    listings.listed(ids(1, 10));
    EXPECT_TRUE(listings.firstTry(QStringLiteral("1")));
    EXPECT_FALSE(listings.firstTry(QStringLiteral("1")));

    std::vector<QStringList> endless;
    for (int listing = 0; listing < 2 * OrderListings::kMaxListings; ++listing)
        endless.push_back(ids(100 + 10 * listing, 10));
    OrderListings paging(QStringLiteral("processing"));
    EXPECT_EQ(listingsRun(paging, endless), OrderListings::kMaxListings);
}

}  // namespace
}  // namespace norvan::orders
