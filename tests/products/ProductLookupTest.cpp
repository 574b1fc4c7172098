#include "products/ProductLookup.h"
#include "support/ExpectError.h"

#include <gtest/gtest.h>

namespace norvan::products {
namespace {

struct TextCase {
    const char* input;
    const char* expected;
};

void PrintTo(const TextCase& c, std::ostream* os) {
    *os << c.input;
}

class SkuQuery : public ::testing::TestWithParam<TextCase> {};

TEST_P(SkuQuery, KeepsTheWholeSkuOneQueryValue) {
    EXPECT_EQ(skuQuery(QString::fromUtf8(GetParam().input)),
              QString::fromUtf8(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Skus, SkuQuery,
    ::testing::Values(TextCase{"A-1", "sku=A-1"}, TextCase{"a.b_c~d", "sku=a.b_c~d"},
                      TextCase{"A+1", "sku=A%2B1"}, TextCase{"B&x=2", "sku=B%26x%3D2"},
                      TextCase{"C 3#4", "sku=C%203%234"}, TextCase{"D-3/x", "sku=D-3%2Fx"},
                      TextCase{"50%", "sku=50%25"},
                      TextCase{"\xDA\xA9-1", "sku=%DA%A9-1"}));  // Persian keheh in UTF-8

struct AnswerCase {
    const char* input;
    const char* id;
    const char* sku;
};

void PrintTo(const AnswerCase& c, std::ostream* os) {
    *os << c.input;
}

class FirstProduct : public ::testing::TestWithParam<AnswerCase> {};

TEST_P(FirstProduct, IsFirstWholeNumberNamedIdWithTheSkuBesideIt) {
    const FoundProduct found = GetFirstProduct(QString::fromUtf8(GetParam().input));
    EXPECT_EQ(found.id, QString::fromUtf8(GetParam().id));
    EXPECT_EQ(found.sku, QString::fromUtf8(GetParam().sku));
}

INSTANTIATE_TEST_SUITE_P(
    Answers, FirstProduct,
    ::testing::Values(
        AnswerCase{
            R"([{"id": 345, "sku": "A-1", "images": [{"id": 9}], "categories": [{"id": 15}]}, {"id": 346, "sku": "A-2"}])",
            "345", "A-1"},
        AnswerCase{R"([{"sku": "B-1", "id": 7}])", "7", "B-1"},
        // The SKU of another object is not the product's.
        AnswerCase{R"([{"id": 5, "meta": {"sku": "X"}}, {"id": 6, "sku": "Y"}])", "5", ""},
        AnswerCase{R"([{"id": 5, "sku": null}])", "5", ""},
        // A nested object listed before the product's own id wins, as the first one read.
        AnswerCase{R"([{"meta": {"id": 12}, "id": 345}])", "12", ""},
        // The name stays until the next property name, across brackets and other values.
        AnswerCase{R"({"id": [7, 8]})", "7", ""}, AnswerCase{R"({"id": ["x", null, 7]})", "7", ""},
        AnswerCase{R"({"id": "12", "x": 5, "list": [{"ID": 6}, {"id": 1.5}]})", "", ""},
        AnswerCase{R"({"id": {"n": 3}})", "", ""}, AnswerCase{"[]", "", ""},
        AnswerCase{R"([{"id": -4, "sku": "N"}])", "-4", "N"},
        // Reading stops once the product's object is read: what follows is never parsed.
        AnswerCase{R"([{"id": 345, "sku": "A"}, {"id": )", "345", "A"},
        AnswerCase{R"([{"id": 345}, {"id": )", "345", ""}));

TEST(FirstProduct, TextThatIsNotJsonFailsWithTheReadersMessage) {
    const TextCase cases[] = {
        {"Error: Not Found /",
         "Unexpected character encountered while parsing value: E. Path '', line 1, position 1."},
        {R"([{"name": }])",
         "Unexpected character encountered while parsing value: }. Path '[0].name', line 1, "
         "position 11."},
    };
    for (const TextCase& c : cases)
        EXPECT_ERROR(GetFirstProduct(QString::fromUtf8(c.input)), QString::fromUtf8(c.expected));
}

}  // namespace
}  // namespace norvan::products
