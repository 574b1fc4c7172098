#include "OrderFixtures.h"
#include "orders/OrderExtraction.h"
#include "support/ExpectError.h"
#include "support/Printers.h"

#include <gtest/gtest.h>

namespace norvan::orders {
namespace {

using test::kWorkedExampleOrder;

ExtractedOrder flattened(const QString& json, const QString& title = QStringLiteral("line_items")) {
    ExtractedOrder order;
    GetWooCommerceOrdersValue(json, QStringLiteral("1"), title, order);
    return order;
}

void flattenInto(const QString& json, const QString& title, ExtractedOrder& order) {
    GetWooCommerceOrdersValue(json, QStringLiteral("999"), title, order);
}

TEST(GetWooCommerceOrdersValue, FlattensTheWorkedExample) {
    const ExtractedOrder order = flattened(kWorkedExampleOrder);
    EXPECT_EQ(
        order.rows.rows(),
        QStringList({"id=727", "status=processing", "total=29.35", "billing.first_name=Sara",
                     "billing.city=Shiraz", "line_items[0].id=315", "line_items[0].name=Cup",
                     "line_items[0].quantity=2", "line_items[0].price=3.5",
                     "line_items[0].meta_data[0].id=1", "line_items[0].meta_data[0].key=color",
                     "line_items[0].meta_data[0].value=red", "line_items[1].id=316",
                     "line_items[1].name=Tray", "line_items[1].quantity=1",
                     "line_items[1].price=10"}));
    EXPECT_EQ(order.headerFields,
              QStringList({"id", "status", "total", "prices_include_tax", "date_paid", "billing",
                           "billing.first_name", "billing.city", "meta_data"}));
    EXPECT_EQ(order.itemFields,
              QStringList({"line_items", "id", "name", "quantity", "price", "meta_data", "id",
                           "key", "value", "id", "name", "quantity", "price"}));
    EXPECT_EQ(order.itemCount, 2);
    EXPECT_EQ(order.orderId, "727");
}

TEST(GetWooCommerceOrdersValue, ValueTexts) {
    const struct {
        const char* json;
        const char* text;
    } cases[] = {
        {"10.0", "10"},
        {"3.50", "3.5"},
        {"0.1", "0.1"},
        {"-2.25", "-2.25"},
        {"1e20", "1E20"},
        {"1E15", "1E15"},
        {"123456789012345.0", "123456789012345"},
        {"0.0001", "0.0001"},
        {"0.00001", "1E-5"},
        {"-2.5e-7", "-2.5E-7"},
        {"1.23456789012345678", "1.23456789012346"},
        {"-0.0", "0"},
        {"9223372036854775807", "9223372036854775807"},  // still a 64-bit integer
        {"9223372036854775808", "9.22337203685478E18"},  // beyond it: a float
        {"-12", "-12"},
        {R"("3.50")", "3.50"},  // a string keeps its text
        {R"(" a=b&c^d;\r\ne ")", " a=b&c^d;\r\ne "},
        {R"("2024-05-17T10:00:00")", "2024-05-17T10:00:00"},
        {R"("\u06F2\u06F5 \"q\" \\")", "\u06F2\u06F5 \"q\" \\"},
    };
    for (const auto& c : cases) {
        const ExtractedOrder order =
            flattened(QStringLiteral(R"({"line_items": [], "v": %1})").arg(c.json));
        EXPECT_EQ(order.rows.value(QStringLiteral("v")), QString::fromUtf8(c.text)) << c.json;
    }
}

TEST(GetWooCommerceOrdersValue, ItemTitleIsACaseSensitiveSubstringOfThePath) {
    const struct {
        const char* title;
        qsizetype itemFieldCount;  // the worked example's line_items claim 13 keys
        const char* countError;
    } cases[] = {
        {"line_items", 13, nullptr},
        {"items", 13, "Value 'items' not found"},
        {"Line_items", 0, "Value 'Line_items' not found"},
        {"meta_data", 5, nullptr},  // the order's own empty meta_data: 0 items
        {"", 0, "Conversion from object to array is not supported"},
    };
    for (const auto& c : cases) {
        ExtractedOrder order;
        const QString failure = testing::thrownMessage([&] {
                                    flattenInto(kWorkedExampleOrder, c.title, order);
                                }).value_or(QStringLiteral("(no error)"));
        EXPECT_EQ(order.itemFields.size(), c.itemFieldCount) << c.title;
        EXPECT_EQ(order.itemFields.size() + order.headerFields.size(), 22) << c.title;
        EXPECT_EQ(order.rows.count(), 16) << c.title;
        EXPECT_EQ(failure, c.countError ? c.countError : "(no error)") << c.title;
    }
}

TEST(GetWooCommerceOrdersValue, FailureKeepsWhatWasReadAndThePreviousCount) {
    const struct {
        QString json;
        const char* title;
        const char* message;
        QStringList rows;
        QStringList headerFields;
        QStringList itemFields;
    } cases[] = {
        {"Error: Not Found /",
         "line_items",
         "Unexpected character encountered while parsing value: E. Path '', line 1, position 1.",
         {},
         {},
         {}},
        {"", "line_items", "Value 'line_items' not found", {}, {}, {}},
        {R"({"id": 5, "status": "x", "line_items": [{"id": 6, "name": )",
         "line_items",
         "Unexpected end when reading JSON. Path 'line_items[0].name', line 1, position 58.",
         {"id=5", "status=x", "line_items[0].id=6"},
         {"id", "status"},
         {"line_items", "id", "name"}},
        {R"({"id": 5, "items": {"a": 1}})",
         "items",
         "Conversion from object to array is not supported",
         {"id=5", "items.a=1"},
         {"id"},
         {"items", "a"}},
        {R"({"id": 5, "line_items": []})",
         "line_items[",
         "Path ended with an open bracket",
         {"id=5"},
         {"id", "line_items"},
         {}},
        {R"({"id": 5, "a": )" + QString(100000, u'['),
         "line_items",
         "The JSON text is nested deeper than 512 levels.",
         {"id=5"},
         {"id", "a"},
         {}},
    };
    for (const auto& c : cases) {
        ExtractedOrder order = flattened(kWorkedExampleOrder);
        const std::string json = c.json.left(80).toStdString();
        EXPECT_ERROR(flattenInto(c.json, c.title, order), c.message) << json;
        EXPECT_EQ(order.rows.rows(), c.rows) << json;
        EXPECT_EQ(order.headerFields, c.headerFields) << json;
        EXPECT_EQ(order.itemFields, c.itemFields) << json;
        EXPECT_EQ(order.itemCount, 2) << json;  // the order extracted before
        EXPECT_EQ(order.orderId, "") << json;   // no longer the order extracted before
    }
}

// Every row and field entry repeats the names of all the containers above it: under one long
// name, a text of 100 KB would make rows of 100 MB.
TEST(GetWooCommerceOrdersValue, RefusesATextWhoseRowsWouldGrowOutOfProportion) {
    const QString members = QStringLiteral(R"("a": 1, )").repeated(10000);
    const QString text = QStringLiteral(R"({"id": 5, ")") + QString(5000, u'n') +
                         QStringLiteral(R"(": {)") + members + QStringLiteral(R"("z": 2}})");
    ExtractedOrder order;
    EXPECT_ERROR(flattenInto(text, QStringLiteral("line_items"), order),
                 "The order is too large to read: its rows and fields would hold more than "
                 "1048576 characters.");
    EXPECT_LT(order.rows.count(), 200);
}

TEST(GetWooCommerceOrdersValue, OrderWithoutIdKeepsTheRequestedId) {
    ExtractedOrder order;
    GetWooCommerceOrdersValue(QStringLiteral(R"({"number": "A-1", "line_items": [{"id": 9}]})"),
                              QStringLiteral("727"), QStringLiteral("line_items"), order);
    EXPECT_EQ(order.orderId, "727");
    EXPECT_EQ(order.itemCount, 1);
}

}  // namespace
}  // namespace norvan::orders
