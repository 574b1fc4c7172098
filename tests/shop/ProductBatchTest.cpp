#include "shop/ProductBatch.h"
#include "support/ExpectError.h"
#include "support/Printers.h"

#include <gtest/gtest.h>

namespace norvan::shop {
namespace {

TEST(ProductBatch, ItemResultsComeOnlyFromTheListOfTheActionWithOneObjectPerItem) {
    const QString updated = QStringLiteral("201 update product.");
    const struct {
        const char* answer;
        BatchAction action;
        qsizetype items;
        std::optional<QStringList> results;
    } cases[] = {
        {R"({"update":[{"id":1,"sku":"A"},{"id":2,"error":{"code":"c","message":"Invalid ID."}}]})",
         BatchAction::Update, 2, QStringList{updated, "Error: Invalid ID."}},
        {R"({"create":[{"id":0,"error":{"code":"c"}}]})", BatchAction::Create, 1,
         QStringList{"Error: "}},
        {R"({"create":[{"id":7}]})", BatchAction::Create, 1, QStringList{"201 create product."}},
        {R"({"update":[{"id":1}]})", BatchAction::Create, 1, std::nullopt},
        {R"({"update":[{"id":1}]})", BatchAction::Update, 2, std::nullopt},
        {R"({"update":[{"id":1},7]})", BatchAction::Update, 2, std::nullopt},
        {R"({"update":{"id":1}})", BatchAction::Update, 1, std::nullopt},
        {R"([{"id":1}])", BatchAction::Update, 1, std::nullopt},
        {"<html>", BatchAction::Update, 1, std::nullopt},
    };
    for (const auto& c : cases) {
        const std::optional<BatchResult> result =
            batchItemResults(QByteArray(c.answer), c.action, c.items);
        EXPECT_EQ(result ? std::optional(result->itemResults) : std::nullopt, c.results)
            << c.answer;
    }
}

TEST(ProductBatch, ARefusedItemKeepsWhatTheShopSaidOfIt) {
    // Sample answers of the shop: the second item's message as written for a web page.
    const QByteArray answer =
        R"({"update":[{"id":10,"name":"T","meta_data":[{"id":3,"key":"error","value":"x"}]},)"
        R"({"id":21,"error":{"code":"woocommerce_rest_invalid_product_id","message":"To )"
        R"(manipulate product variations you should use the \/products\/&lt;product_id&gt;\/)"
        R"(variations\/&lt;id&gt; endpoint.","data":{"status":404}}},)"
        R"({"id":999999,"error":{"code":"woocommerce_rest_product_invalid_id",)"
        R"("message":"Invalid ID.","data":{"status":400}}},{"id":7,"error":"x"}]})";

    const std::optional<BatchResult> result = batchItemResults(answer, BatchAction::Update, 4);

    ASSERT_TRUE(result);
    EXPECT_EQ(result->itemResults.at(1),
              "Error: To manipulate product variations you should use the "
              "/products/&lt;product_id&gt;/variations/&lt;id&gt; endpoint.");
    const QList<FailedAnswer> failures = {
        {},
        {404, "woocommerce_rest_invalid_product_id",
         "To manipulate product variations you should use the "
         "/products/<product_id>/variations/<id> endpoint."},
        {400, "woocommerce_rest_product_invalid_id", "Invalid ID."},
        {0, "", ""}};
    EXPECT_EQ(result->itemFailures, failures);
    EXPECT_EQ(result->itemResults.at(3), "Error: ");
}

TEST(ProductBatch, RefusesAnAnswerNestedDeeperThan512Levels) {
    // The answer's object, its list and the item make three levels.
    const auto answer = [](qsizetype metaDepth) {
        return QByteArray(R"({"update":[{"id":1,"meta":)") + QByteArray(metaDepth, '[') +
               QByteArray(metaDepth, ']') + "}]}";
    };
    EXPECT_EQ(batchItemResults(answer(509), BatchAction::Update, 1)->itemResults,
              QStringList{"201 update product."});
    const QString tooDeep = QStringLiteral("The JSON text is nested deeper than 512 levels.");
    EXPECT_ERROR(batchItemResults(answer(510), BatchAction::Update, 1), tooDeep);
    EXPECT_ERROR(batchItemResults(QByteArray(100000, '['), BatchAction::Update, 1), tooDeep);
}

}  // namespace
}  // namespace norvan::shop
