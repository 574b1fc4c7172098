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
    for (const auto& c : cases)
        EXPECT_EQ(batchItemResults(QByteArray(c.answer), c.action, c.items), c.results) << c.answer;
}

TEST(ProductBatch, RefusesAnAnswerNestedDeeperThan512Levels) {
    // The answer's object, its list and the item make three levels.
    const auto answer = [](qsizetype metaDepth) {
        return QByteArray(R"({"update":[{"id":1,"meta":)") + QByteArray(metaDepth, '[') +
               QByteArray(metaDepth, ']') + "}]}";
    };
    EXPECT_EQ(batchItemResults(answer(509), BatchAction::Update, 1),
              QStringList{"201 update product."});
    const QString tooDeep = QStringLiteral("The JSON text is nested deeper than 512 levels.");
    EXPECT_ERROR(batchItemResults(answer(510), BatchAction::Update, 1), tooDeep);
    EXPECT_ERROR(batchItemResults(QByteArray(100000, '['), BatchAction::Update, 1), tooDeep);
}

}  // namespace
}  // namespace norvan::shop
