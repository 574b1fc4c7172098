#include "shop/ProductList.h"
#include "support/ExpectError.h"

#include <gtest/gtest.h>

namespace norvan::shop {

void PrintTo(const ListedProduct& product, std::ostream* os) {
    *os << '{' << product.id.toStdString() << ' ' << product.sku.toStdString() << ' '
        << product.type.toStdString() << ' ' << product.parentId.toStdString() << '}';
}

namespace {

TEST(ProductList, EachProductsOwnMembersComeFromTheAnswersBytes) {
    using Products = QList<ListedProduct>;
    const struct {
        const char* answer;
        std::optional<Products> products;
    } cases[] = {
        // The members of nested objects (images, categories, meta data) are not the product's.
        {R"([{"id": 345, "sku": "A-1", "images": [{"id": 9}], "categories": [{"id": 15}]},
             {"id": 346, "sku": "A-2", "meta_data": [{"id": 1, "key": "sku", "value": "X"}]}])",
         Products{{"345", "A-1", "", ""}, {"346", "A-2", "", ""}}},
        {R"([{"meta": {"id": 12, "sku": "X"}, "sku": "B-1", "id": 7}])",
         Products{{"7", "B-1", "", ""}}},
        // A variation found by its SKU, as the shop lists it.
        {R"([{"id":20,"type":"variation","sku":"SHIRT-S","parent_id":19,"_links":{"up":[{"href":"x"}]}}])",
         Products{{"20", "SHIRT-S", "variation", "19"}}},
        {R"([{"id":19,"type":"variable","sku":"SHIRT","parent_id":0,"variations":[20,21]}])",
         Products{{"19", "SHIRT", "variable", "0"}}},
        // Escapes as the shop's PHP writes them.
        {R"([{"id":23,"sku":"\u0686\u0627\u06cc-\u0633\u0628\u0632 \/1"}])",
         Products{{"23", QString::fromUtf8("چای-سبز /1"), "", ""}}},
        // Names and values with escapes, a character beyond the BMP.
        {R"([{"\u0073ku":"A\ud83d\ude00\/\"1\"","id":3}])",
         Products{{"3", QString::fromUtf8("A\xF0\x9F\x98\x80/\"1\""), "", ""}}},
        // Values of another type than the shop's are not taken.
        {R"([{"id": "12", "sku": 5, "parent_id": 1.5}, {"id": -4, "sku": null}])",
         Products{{"", "", "", ""}, {"-4", "", "", ""}}},
        {R"([{"id": 9223372036854775808, "sku": "Big"}])", Products{{"", "Big", "", ""}}},
        {R"([7, "x", [{"id": 1}], {"id": 2}])", Products{{"2", "", "", ""}}},
        {"[]", Products{}},
        {R"({"id": 5, "sku": "A"})", Products{}},
        {R"({"code":"woocommerce_rest_cannot_view","message":"x"})", Products{}},
        // Not JSON: a page in front of the shop, a cut answer, bytes that are not UTF-8.
        {"Error: Not Found /", std::nullopt},
        {R"([{"id": 345, "sku": "A"}, {"id": )", std::nullopt},
        {"<html><body>Maintenance</body></html>", std::nullopt},
        {"", std::nullopt},
        {"[{\"sku\": \"\xDA\"}]", std::nullopt},
        {"[] []", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(readProductList(QByteArray(c.answer)), c.products) << c.answer;
    }
}

// The answer is read as strictly as its formatted layout: what is not JSON lists nothing.
TEST(ProductList, AnAnswerIsReadAsStrictJson) {
    const struct {
        const char* answer;
        bool json;
    } cases[] = {
        {" \r\n[ ]\t", true},
        {"\xEF\xBB\xBF[]", true},  // a byte-order mark
        {R"([{"a":[-0.5e+3,0,1E2,true,false,null,{},[]],"b":"\"\\\/\b\f\n\r\t\u00e9"}])", true},
        {R"("\ud83d\ude00")", true},
        {"5", true},
        {"[01]", false},
        {"[1.]", false},
        {"[.5]", false},
        {"[+1]", false},
        {"[1e]", false},
        {"[-]", false},
        {"[1,]", false},
        {"[,1]", false},
        {R"({"a" 1})", false},
        {R"({"a":1,})", false},
        {R"({1:2})", false},
        {"[tru]", false},
        {"[nul]", false},
        {"[NaN]", false},
        {R"(["\x"])", false},
        {R"(["\u12G4"])", false},
        {R"(["\udc00"])", false},  // a low surrogate alone
        {R"(["\ud83d"])", false},  // a high surrogate alone
        {R"(["\ud83d\u0041"])", false},
        {"[\"a\tb\"]", false},              // a raw control character
        {"[\"\xC0\xAF\"]", false},          // an overlong form
        {"[\"\xED\xA0\x80\"]", false},      // a surrogate in UTF-8
        {"[\"\xF4\x90\x80\x80\"]", false},  // past U+10FFFF
        {"[\"\xE2\x82\"]", false},          // a cut sequence
        {"[\"abc", false},
        {"[1]]", false},
        {"[[1]", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(readProductList(QByteArray(c.answer)).has_value(), c.json) << c.answer;
    }
}

TEST(ProductList, RefusesAnAnswerNestedDeeperThan512Levels) {
    // The list and the product make two levels.
    const auto answer = [](qsizetype metaDepth) {
        return QByteArray(R"([{"id":1,"meta":)") + QByteArray(metaDepth, '[') +
               QByteArray(metaDepth, ']') + "}]";
    };
    EXPECT_EQ(readProductList(answer(510)), QList<ListedProduct>({{"1", "", "", ""}}));
    const QString tooDeep = QStringLiteral("The JSON text is nested deeper than 512 levels.");
    EXPECT_ERROR(readProductList(answer(511)), tooDeep);
    EXPECT_ERROR(readProductList(QByteArray(100000, '[')), tooDeep);
}

}  // namespace
}  // namespace norvan::shop
