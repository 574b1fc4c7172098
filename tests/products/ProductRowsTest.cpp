#include "products/ProductRows.h"
#include "support/ExpectError.h"

#include <gtest/gtest.h>

namespace norvan::products {
namespace {

struct RowsCase {
    const char* line;
    QStringList rows;
};

void PrintTo(const RowsCase& c, std::ostream* os) {
    *os << c.line;
}

class LoadingProdsRows : public ::testing::TestWithParam<RowsCase> {};

TEST_P(LoadingProdsRows, GivesRowsInOrder) {
    common::NameValueList rows;
    rows.add(QStringLiteral("left=over"));
    LoadingProds(QString::fromUtf8(GetParam().line), rows);
    EXPECT_EQ(rows.rows(), GetParam().rows);
}

INSTANTIATE_TEST_SUITE_P(
    ProductLines, LoadingProdsRows,
    ::testing::Values(
        RowsCase{"A-100;12;true;0.5;150000;;0;Blue",
                 {"sku=A-100", "manage_stock=true", "stock_quantity=12", "tax_status=taxable",
                  "weight=0.5", "sale_price=", "sale_price=150000", "regular_price=150000",
                  "name=Blue"}},
        RowsCase{"A-101;5;0;1.2;90000;85000;1",
                 {"sku=A-101", "manage_stock=false", "stock_quantity=null", "tax_status=none",
                  "weight=1.2", "sale_price=85000", "sale_price=85000", "regular_price=90000"}},
        // "false" in any letter case keeps the stock tracked.
        RowsCase{"B;4;TRUE;1;10;;FALSE",
                 {"sku=B", "manage_stock=true", "stock_quantity=4", "tax_status=taxable",
                  "weight=1", "sale_price=", "sale_price=10", "regular_price=10"}},
        RowsCase{"B;4;yes;1;10;;False",
                 {"sku=B", "manage_stock=true", "stock_quantity=4", "tax_status=none", "weight=1",
                  "sale_price=", "sale_price=10", "regular_price=10"}},
        // Only "", "0" and "false" track the stock; anything else leaves it to the shop.
        RowsCase{"C;4;1;1;10;;true",
                 {"sku=C", "manage_stock=false", "stock_quantity=null", "tax_status=taxable",
                  "weight=1", "sale_price=", "sale_price=10", "regular_price=10"}},
        RowsCase{"C;4;false;1;10;;1",
                 {"sku=C", "manage_stock=false", "stock_quantity=null", "tax_status=none",
                  "weight=1", "sale_price=", "sale_price=10", "regular_price=10"}},
        RowsCase{"C;4;0;1;10;;no",
                 {"sku=C", "manage_stock=false", "stock_quantity=null", "tax_status=none",
                  "weight=1", "sale_price=", "sale_price=10", "regular_price=10"}},
        RowsCase{"C;4;;1;10;;yes",
                 {"sku=C", "manage_stock=false", "stock_quantity=null", "tax_status=none",
                  "weight=1", "sale_price=", "sale_price=10", "regular_price=10"}},
        // Letter case is folded on A to Z only: a long s (U+017F) is no "s".
        RowsCase{"C;4;1;1;10;;fal\u017Fe",
                 {"sku=C", "manage_stock=false", "stock_quantity=null", "tax_status=taxable",
                  "weight=1", "sale_price=", "sale_price=10", "regular_price=10"}},
        RowsCase{"A-7;3;1;0.2;;;0",
                 {"sku=A-7", "manage_stock=true", "stock_quantity=3", "tax_status=taxable",
                  "weight=0.2", "sale_price=", "sale_price=0", "regular_price=0"}},
        RowsCase{"A-8;3;1;0.2;;500;0",
                 {"sku=A-8", "manage_stock=true", "stock_quantity=3", "tax_status=taxable",
                  "weight=0.2", "sale_price=500", "sale_price=500", "regular_price="}},
        // A blank ends an unquoted field, so only a quoted name keeps both words.
        RowsCase{"A-9;3;1;0.2;100;;0;Red Shirt",
                 {"sku=A-9", "manage_stock=true", "stock_quantity=3", "tax_status=taxable",
                  "weight=0.2", "sale_price=", "sale_price=100", "regular_price=100", "name=Red"}},
        RowsCase{
            "A-9;3;1;0.2;100;;0;\"Red Shirt\"",
            {"sku=A-9", "manage_stock=true", "stock_quantity=3", "tax_status=taxable", "weight=0.2",
             "sale_price=", "sale_price=100", "regular_price=100", "name=Red Shirt"}},
        RowsCase{"A-10;3;1;0.2;100;;",
                 {"sku=A-10", "manage_stock=true", "stock_quantity=3", "tax_status=taxable",
                  "weight=0.2", "sale_price=", "sale_price=100", "regular_price=100"}},
        // An empty name and the fields after it add nothing.
        RowsCase{"A-11;3;1;0.2;100;;0;;extra",
                 {"sku=A-11", "manage_stock=true", "stock_quantity=3", "tax_status=taxable",
                  "weight=0.2", "sale_price=", "sale_price=100", "regular_price=100"}}));

struct ShortLineCase {
    const char* line;
    const char* message;
    QStringList rowsLeft;
};

void PrintTo(const ShortLineCase& c, std::ostream* os) {
    *os << '"' << c.line << '"';
}

class LoadingProdsShortLine : public ::testing::TestWithParam<ShortLineCase> {};

TEST_P(LoadingProdsShortLine, FailsWithListIndexAfterSkuRow) {
    common::NameValueList rows;
    rows.add(QStringLiteral("left=over"));
    EXPECT_ERROR(LoadingProds(QString::fromUtf8(GetParam().line), rows),
                 QString::fromUtf8(GetParam().message));
    EXPECT_EQ(rows.rows(), GetParam().rowsLeft);
}

INSTANTIATE_TEST_SUITE_P(
    ProductLines, LoadingProdsShortLine,
    ::testing::Values(ShortLineCase{"A-1;12;true;0.5", "List index out of bounds (6)", {"sku=A-1"}},
                      ShortLineCase{
                          "A-1;12;true;0.5;1;2", "List index out of bounds (6)", {"sku=A-1"}},
                      ShortLineCase{"A-1", "List index out of bounds (6)", {"sku=A-1"}},
                      ShortLineCase{"   ", "List index out of bounds (0)", {}},
                      ShortLineCase{"", "List index out of bounds (0)", {}}));

TEST(LoadSelectedLine, NoSelectionLeavesNoRows) {
    common::NameValueList rows;
    rows.add(QStringLiteral("sku=OLD"));
    loadSelectedLine(std::nullopt, rows);
    EXPECT_TRUE(rows.isEmpty());

    loadSelectedLine(QStringLiteral("A-1;1;1;0;10;;0"), rows);
    EXPECT_EQ(rows.value(QStringLiteral("sku")), QStringLiteral("A-1"));
}

}  // namespace
}  // namespace norvan::products
