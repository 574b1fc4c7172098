#include "products/ProductLookup.h"
#include "support/Printers.h"

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

// Windows-1256 writes the Persian Yeh as the Arabic one; letter case never tells SKUs apart.
TEST(SameSku, IgnoresLetterCaseAndTheSpellingOfYehAndKafOnly) {
    const struct {
        const char* productSku;
        const char* askedSku;
        bool same;
    } cases[] = {
        {"RWB-Case", "RWB-CASE", true},
        {"\xD0\x9A-1", "\xD0\xBA-1", true},  // Cyrillic Ka, both cases
        {"\xDA\x86\xD8\xA7\xDB\x8C-1", "\xDA\x86\xD8\xA7\xD9\x8A-1", true},  // Persian, Arabic Yeh
        {"\xDA\xA9\xD8\xB4\xDA\xA9", "\xD9\x83\xD8\xB4\xD9\x83", true},      // Keheh, Arabic Kaf
        {"A-1", "A-1 ", false},
        {"A-\xDB\xB1", "A-1", false},         // a Persian digit
        {"\xDB\x8C-1", "\xD9\x89-1", false},  // Yeh and Alef Maksura
        {"\xC3\xA9-1", "e-1", false},         // an accent
        {"A-1", "", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(isSameSku(QString::fromUtf8(c.productSku), QString::fromUtf8(c.askedSku)), c.same)
            << c.productSku << " " << c.askedSku;
    }
}

TEST(SameSku, ASkuWithAnArabicYehHasAPersianSpelling) {
    EXPECT_EQ(persianYehSpelling(QString::fromUtf8("\xDA\x86\xD8\xA7\xD9\x8A-\xD9\x8A")),
              QString::fromUtf8("\xDA\x86\xD8\xA7\xDB\x8C-\xDB\x8C"));
    for (const char* sku : {"A-1", "\xDA\x86\xD8\xA7\xDB\x8C", "\xD9\x83"})
        EXPECT_EQ(persianYehSpelling(QString::fromUtf8(sku)), std::nullopt) << sku;
}

TEST(FoundProduct, AVariationIsWrittenThroughItsProductsVariations) {
    const struct {
        shop::ListedProduct product;
        const char* update;
        const char* batch;
    } cases[] = {
        {{"55", "A-1", "simple", "0"}, "products/55/", "products/"},
        {{"19", "SHIRT", "variable", "0"}, "products/19/", "products/"},
        {{"20", "SHIRT-S", "variation", "19"},
         "products/19/variations/20",
         "products/19/variations/"},
        // Without its product's id a variation cannot be reached by its own route.
        {{"21", "X", "variation", ""}, "products/21/", "products/"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(updateResource(QStringLiteral("products/"), c.product), c.update);
        EXPECT_EQ(batchResource(QStringLiteral("products/"), c.product), c.batch);
    }
}

}  // namespace
}  // namespace norvan::products
