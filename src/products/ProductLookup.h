#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace norvan::products {

// The most products the shop lists on one page, and the most items it takes in one batch call.
inline constexpr qsizetype kMostProductsPerCall = 100;

// The query that looks a product up by its SKU: "sku=" + the SKU percent-encoded (RFC 3986
// unreserved characters kept, UTF-8 otherwise), so "+", "&", "#", "/" and blanks reach the shop
// as part of the SKU.
QString skuQuery(const QString& sku);

// The query that looks several SKUs up at once: "sku=" + the SKUs, each percent-encoded as in
// skuQuery, joined by ",", then "&per_page=" + kMostProductsPerCall so that one page lists them
// all. The shop splits the list at every comma, encoded or not: a SKU holding one is looked up
// alone.
QString skuListQuery(const QStringList& skus);

// Whether a product's SKU is the one asked for, as the shop's lookup compares them: exactly, but
// for letter case.
bool isSameSku(const QString& productSku, const QString& askedSku);

// A product of a lookup answer.
struct FoundProduct {
    QString id;   // "" when the answer holds none
    QString sku;  // "" when that product has none
};

// The id is the first whole-number value of a property named "id" (exact case) in a JSON text, as
// decimal text; the SKU is the string "sku" beside it in the same object. Reading stops once both
// are known, so the rest is never parsed.
// Throws Error with the reader's message when the text is not JSON up to that point.
FoundProduct GetFirstProduct(const QString& jsonText);

// Every product of a lookup answer, a JSON array of products, in the shop's order: each one's own
// "id" (a whole number) and "sku". Throws Error with the reader's message when the text is not
// JSON.
QList<FoundProduct> listedProducts(const QString& jsonText);

// The id of the first product with the SKU (isSameSku); "" when none has it.
QString idOfSku(const QList<FoundProduct>& products, const QString& sku);

}  // namespace norvan::products
