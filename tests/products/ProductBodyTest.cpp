#include "products/ProductBody.h"
#include "products/ProductRows.h"
#include "support/ExpectError.h"

#include <gtest/gtest.h>

namespace norvan::products {
namespace {

QByteArray bodyOfLine(const char* line) {
    common::NameValueList rows;
    LoadingProds(QString::fromUtf8(line), rows);
    return productBody(rows).compactText();
}

struct BodyCase {
    const char* line;
    const char* body;
};

void PrintTo(const BodyCase& c, std::ostream* os) {
    *os << c.line;
}

class ProductBodyOfLine : public ::testing::TestWithParam<BodyCase> {};

TEST_P(ProductBodyOfLine, HasMembersInOrderWithTheirTypes) {
    EXPECT_EQ(bodyOfLine(GetParam().line), QByteArray(GetParam().body));
}

INSTANTIATE_TEST_SUITE_P(
    ProductLines, ProductBodyOfLine,
    ::testing::Values(
        BodyCase{"A-100;12;true;0.5;150000;;0;Blue",
                 R"({"sku":"A-100","stock_quantity":12,"manage_stock":true,"tax_status":"taxable",)"
                 R"("weight":"0.5","regular_price":"150000","sale_price":""})"},
        // An untracked stock stays untracked in the shop.
        BodyCase{"A-101;5;0;1.2;90000;85000;1",
                 R"({"sku":"A-101","stock_quantity":null,"manage_stock":false,"tax_status":"none",)"
                 R"("weight":"1.2","regular_price":"90000","sale_price":"85000"})"},
        BodyCase{"A-7;-3;1;0.2;;;0",
                 R"({"sku":"A-7","stock_quantity":-3,"manage_stock":true,"tax_status":"taxable",)"
                 R"("weight":"0.2","regular_price":"0","sale_price":""})"},
        BodyCase{"A-8;+2147483647;1;0.2;;500;0",
                 R"({"sku":"A-8","stock_quantity":2147483647,"manage_stock":true,)"
                 R"("tax_status":"taxable","weight":"0.2","regular_price":"","sale_price":"500"})"},
        // An untracked stock needs no quantity.
        BodyCase{"A-9;n/a;0;1;10;;yes",
                 R"({"sku":"A-9","stock_quantity":null,"manage_stock":false,"tax_status":"none",)"
                 R"("weight":"1","regular_price":"10","sale_price":""})"}));

// The body names the product by the shop's own spelling of its SKU; the rest is the line's.
TEST(ProductBody, NamesTheSkuAsTheShopSpellsIt) {
    common::NameValueList rows;
    LoadingProds(QStringLiteral("RWB-CASE;12;true;0.5;150000;;0"), rows);
    EXPECT_EQ(productBody(rows, QStringLiteral("RWB-Case")).compactText(),
              QByteArray(R"({"sku":"RWB-Case","stock_quantity":12,"manage_stock":true,)"
                         R"("tax_status":"taxable","weight":"0.5","regular_price":"150000",)"
                         R"("sale_price":""})"));
    EXPECT_EQ(batchItemBody(QStringLiteral("7"), rows, QStringLiteral("RWB-Case")).compactText(),
              QByteArray(R"({"id":7,"sku":"RWB-Case","stock_quantity":12,"manage_stock":true,)"
                         R"("tax_status":"taxable","weight":"0.5","regular_price":"150000",)"
                         R"("sale_price":""})"));
}

class ProductBodyQuantity : public ::testing::TestWithParam<const char*> {};

TEST_P(ProductBodyQuantity, NotA32BitWholeNumberIsAnError) {
    const QString quantity = QString::fromUtf8(GetParam());
    common::NameValueList rows;
    LoadingProds(QStringLiteral("A-1;\"%1\";1;0.5;10;;0").arg(quantity), rows);
    EXPECT_ERROR(productBody(rows),
                 QStringLiteral("'%1' is not a valid integer value").arg(quantity));
}

INSTANTIATE_TEST_SUITE_P(StockQuantities, ProductBodyQuantity,
                         ::testing::Values("12.5", "12.000", "", "1e3", "12 ", "-", "0x1F",
                                           "2147483648", "-2147483649", "\xDB\xB1\xDB\xB2"));

}  // namespace
}  // namespace norvan::products
