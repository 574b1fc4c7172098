#include "common/Error.h"
#include "products/ProductLookup.h"

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

class SkuQuery : public testing::TestWithParam<TextCase> {};

TEST_P(SkuQuery, KeepsTheWholeSkuOneQueryValue) {
    EXPECT_EQ(skuQuery(QString::fromUtf8(GetParam().input)),
              QString::fromUtf8(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Skus, SkuQuery,
    testing::Values(TextCase{"A-1", "sku=A-1"}, TextCase{"a.b_c~d", "sku=a.b_c~d"},
                    TextCase{"A+1", "sku=A%2B1"}, TextCase{"B&x=2", "sku=B%26x%3D2"},
                    TextCase{"C 3#4", "sku=C%203%234"}, TextCase{"D-3/x", "sku=D-3%2Fx"},
                    TextCase{"50%", "sku=50%25"},
                    TextCase{"\xDA\xA9-1", "sku=%DA%A9-1"}));  // Persian keheh in UTF-8

class FirstProductId : public testing::TestWithParam<TextCase> {};

TEST_P(FirstProductId, IsFirstWholeNumberNamedId) {
    EXPECT_EQ(GetFirstProductId(QString::fromUtf8(GetParam().input)),
              QString::fromUtf8(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Answers, FirstProductId,
    testing::Values(
        TextCase{R"([{"id": 345, "images": [{"id": 9}], "categories": [{"id": 15}]}, {"id": 346}])",
                 "345"},
        // A nested object listed before the product's own id wins, as the first one read.
        TextCase{R"([{"meta": {"id": 12}, "id": 345}])", "12"},
        // The name stays until the next property name, across brackets and other values.
        TextCase{R"({"id": [7, 8]})", "7"}, TextCase{R"({"id": ["x", null, 7]})", "7"},
        TextCase{R"({"id": "12", "x": 5, "list": [{"ID": 6}, {"id": 1.5}]})", ""},
        TextCase{R"({"id": {"n": 3}})", ""}, TextCase{"[]", ""}, TextCase{R"([{"id": -4}])", "-4"},
        // Reading stops at the match: what follows is never parsed.
        TextCase{R"([{"id": 345}, {"id": )", "345"}));

TEST(FirstProductId, TextThatIsNotJsonFailsWithTheReadersMessage) {
    for (const char* text : {"Error: Not Found /", "[{\"name\": }]"}) {
        try {
            GetFirstProductId(QString::fromUtf8(text));
            ADD_FAILURE() << "no error for " << text;
        } catch (const Error& error) {
            EXPECT_FALSE(error.message().isEmpty()) << text;
        }
    }
}

}  // namespace
}  // namespace norvan::products
