#include "orders/OrderLines.h"
#include "support/ExpectError.h"
#include "support/Printers.h"

#include <gtest/gtest.h>

namespace norvan::orders {
namespace {

common::NameValueList rowsOf(const QStringList& rows) {
    common::NameValueList list;
    for (const QString& row : rows) list.add(row);
    return list;
}

// The rows of the worked example as an export sees them.
const QStringList kWorkedExampleRows = {"id=727",
                                        "status=processing",
                                        "total=29.35",
                                        "billing.first_name=Sara",
                                        "billing.address_2=\u06F2\u06F5",
                                        "billing.city=Shiraz",
                                        "customer_note=",
                                        "shipping_lines[0].total=5",
                                        "meta_data[0].value.billing.note=N",
                                        "odd=a&b^c  d",
                                        "line_items[0].id=315",
                                        "line_items[0].name=Cup",
                                        "line_items[0].quantity=2",
                                        "line_items[0].price=3.5",
                                        "line_items[1].id=316",
                                        "line_items[1].name=Tray",
                                        "line_items[1].quantity=1",
                                        "line_items[1].price=10"};

OrderFileSource workedExample() {
    return {
        rowsOf(kWorkedExampleRows),
        {"id", "billing.first_name", "billing.address_2", "total", "date_paid", "customer_note"},
        {"id", "name", "quantity", "price", "sku"},
        "line_items",
        "2"};
}

QStringList linesOf(const OrderFileSource& source) {
    QStringList lines;
    GenerateCOMSTR(source, lines);
    return lines;
}

TEST(GenerateCOMSTR, WorkedExample) {
    EXPECT_EQ(linesOf(workedExample()),
              QStringList({"^727&Sara  \u06F2\u06F5  &29.35&^", "315&Cup&2&3.5", "316&Tray&1&10"}));
}

TEST(GenerateCOMSTR, HeaderLine) {
    const struct {
        QStringList fields;
        const char* line;
    } cases[] = {
        {{}, "^^"},
        {{"date_paid", "sku"}, "^^"},  // fields without a row leave no trace
        {{"billing.first_name", "billing.city"}, "^Sara  Shiraz  ^"},
        {{"billing.first_name", "id"}, "^Sara  &727^"},
        {{"id", "billing.first_name"}, "^727&Sara  ^"},
        {{"shipping_lines[0].total", "id"}, "^5&727^"},  // no "shipping." in it
        {{"meta_data[0].value.billing.note", "id"}, "^N  &727^"},
        {{"ID", "Total"}, "^727&29.35^"},  // looked up ignoring letter case
        {{"id", "date_paid", "total"}, "^727&29.35^"},
        {{"customer_note", "id"}, "^&727^"},
        {{"id", "customer_note"}, "^727&^"},  // only one trailing "&" is dropped
        {{"odd", "id"}, "^a b c  d&727^"},    // separators in a value become blanks
        {{"id", "billing.first_name", "billing.address_2", "total"},
         "^727&Sara  \u06F2\u06F5  &29.35^"},
    };
    for (const auto& c : cases) {
        OrderFileSource source = workedExample();
        source.headFields = c.fields;
        EXPECT_EQ(linesOf(source).value(0), QString::fromUtf8(c.line))
            << c.fields.join(',').toStdString();
    }
}

TEST(GenerateCOMSTR, ItemLinesFollowTheCount) {
    const struct {
        const char* count;
        QStringList itemFields;
        QStringList itemLines;
    } cases[] = {
        {"2", {"name", "price"}, {"Cup&3.5", "Tray&10"}},
        {"3", {"name", "price"}, {"Cup&3.5", "Tray&10"}},  // no rows for a third item
        {"1", {"name", "price"}, {"Cup&3.5"}},
        {"0", {"name", "price"}, {}},
        {"2", {"sku"}, {}},  // items without a mapped value write no line
        {"2", {"NAME", "sku", "Quantity"}, {"Cup&2", "Tray&1"}},
        {"2", {}, {}},
    };
    for (const auto& c : cases) {
        OrderFileSource source = workedExample();
        source.itemCountText = c.count;
        source.itemFields = c.itemFields;
        const QStringList lines = linesOf(source);
        EXPECT_EQ(lines.mid(1), c.itemLines) << c.count;
    }
}

TEST(GenerateCOMSTR, CountThatIsNoIntegerStopsAfterTheHeaderLine) {
    for (const char* count : {"", "abc", "2.0"}) {
        OrderFileSource source = workedExample();
        source.itemCountText = count;
        QStringList lines;
        EXPECT_ERROR(GenerateCOMSTR(source, lines),
                     QStringLiteral("'%1' is not a valid integer value").arg(count));
        EXPECT_EQ(lines, QStringList({"^727&Sara  \u06F2\u06F5  &29.35&^"}));
    }
}

// Either would start a field or a line of its own in the accounting program, and NUL or Ctrl-Z
// would end its text there; tab and the other control characters are kept as they are.
TEST(GenerateCOMSTR, LineBreakOrSeparatorInsideAValueBecomesABlank) {
    const struct {
        QString value;
        QString written;
    } cases[] = {
        {QStringLiteral("a\r\nb"), QStringLiteral("a b")},
        {QStringLiteral("a\rb"), QStringLiteral("a b")},
        {QStringLiteral("a\nb"), QStringLiteral("a b")},
        {QStringLiteral("a\r\n\r\nb\n"), QStringLiteral("a  b ")},
        {QStringLiteral("a\n\rb"), QStringLiteral("a  b")},
        {QStringLiteral("Ann & Co ^"), QStringLiteral("Ann   Co  ")},
        {QStringLiteral("&^a^&"), QStringLiteral("  a  ")},
        {QStringLiteral("a\0b\x1A"), QStringLiteral("a b ")},
        {QStringLiteral("a\tb\x01\x1F"), QStringLiteral("a\tb\x01\x1F")},
    };
    for (const auto& c : cases) {
        const OrderFileSource source{rowsOf({QStringLiteral("customer_note=") + c.value,
                                             QStringLiteral("line_items[0].name=") + c.value}),
                                     {"customer_note"},
                                     {"name"},
                                     "line_items",
                                     "1"};
        EXPECT_EQ(linesOf(source), QStringList({"^" + c.written + "^", c.written}))
            << c.written.toStdString();
    }
}

}  // namespace
}  // namespace norvan::orders
