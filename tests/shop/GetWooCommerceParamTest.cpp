#include "common/Error.h"
#include "shop/GetWooCommerceParam.h"

#include "support/Printers.h"

#include <gtest/gtest.h>

namespace norvan::shop {
namespace {

QStringList idsOf(const QString& json) {
    QStringList ids;
    GetWooCommerceParam(json, ids);
    return ids;
}

TEST(GetWooCommerceParamTest, ListsOnlyIdsNearTheTop) {
    struct Case {
        QString json;
        QStringList ids;
    };
    const auto nested = [](int index, const QString& inner) {
        return QStringLiteral("[") + QStringLiteral("{},").repeated(index) + inner + u']';
    };
    const Case cases[] = {
        {QStringLiteral(R"({"id":7})"), {"7"}},
        {QStringLiteral(R"([{"id":1},{"id":-2}])"), {"1", "-2"}},
        {nested(10, QStringLiteral(R"({"id":11})")), {"11"}},
        {QStringLiteral(R"([{"abc":{"id":3}}])"), {"3"}},
        {QStringLiteral(R"([{"abcd":{"id":3}}])"), {}},
        {QStringLiteral(R"([{"images":[{"id":4}]}])"), {}},
        {QStringLiteral(R"({"line_items":[{"id":5}]})"), {}},
        {QStringLiteral(R"([{"ID":1,"id":"2","x":{"id":2.0},"id_":3}])"), {}},
    };
    for (const Case& c : cases) EXPECT_EQ(idsOf(c.json), c.ids) << c.json.toStdString();
}

TEST(GetWooCommerceParamTest, IndexesUpTo99999AreNearEnough) {
    // [99999].id has ".id" at position 8, [100000].id at 9.
    QString list = QStringLiteral("[") + QStringLiteral("0,").repeated(99999) +
                   QStringLiteral(R"({"id":99999},{"id":100000}])");
    EXPECT_EQ(idsOf(list), QStringList{"99999"});
}

TEST(GetWooCommerceParamTest, ListsTheOrdersButNotTheirLineItems) {
    const QString orders = QStringLiteral(
        R"([{"id":727,"status":"processing","line_items":[{"id":315,"meta_data":[{"id":1}]},)"
        R"({"id":316}]},{"id":728,"line_items":[{"id":317}]},{"id":729,"line_items":[]}])");
    EXPECT_EQ(idsOf(orders), (QStringList{"727", "728", "729"}));
}

TEST(GetWooCommerceParamTest, KeepsTheIdsFoundBeforeAFault) {
    QStringList ids{"old"};
    EXPECT_THROW(GetWooCommerceParam(QStringLiteral(R"([{"id":1},{"id":2},{"id":)"), ids), Error);
    EXPECT_EQ(ids, (QStringList{"old", "1", "2"}));
}

}  // namespace
}  // namespace norvan::shop
