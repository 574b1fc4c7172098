#pragma once

#include "shop/ProductList.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace norvan::products {

// The most products the shop lists on one page, and the most items it takes in one batch call.
inline constexpr qsizetype kMostProductsPerCall = 100;

// The SKU percent-encoded (RFC 3986 unreserved characters kept, UTF-8 otherwise), so "+", "&",
// "#", "/" and blanks reach the shop as part of the SKU.
QString encodedSku(const QString& sku);

// The query that looks a product up by its SKU: "sku=" + encodedSku.
QString skuQuery(const QString& sku);

// The query that looks several SKUs up at once: "sku=" + the SKUs, each encodedSku, joined by
// ",", then "&per_page=" + kMostProductsPerCall so that one page lists them
// all. The shop splits the list at every comma, encoded or not: a SKU holding one is looked up
// alone.
QString skuListQuery(const QStringList& skus);

// A SKU as the product run compares it: letter case folded, and each of the two Yehs and the two
// Kafs written one way. Windows-1256 has a single Yeh, the Arabic one, which the accounting
// program also writes for the Persian Yeh; nothing else is folded.
QString comparableSku(const QString& sku);

// Whether a product's SKU is the one asked for (comparableSku).
bool isSameSku(const QString& productSku, const QString& askedSku);

// The SKU with every Arabic Yeh (U+064A) written as the Persian Yeh (U+06CC), as a shop may hold
// it while a Windows-1256 file cannot; nothing when it holds no Arabic Yeh. The shop's lookup
// takes the two Yehs for different letters. Digits get no Persian spelling (U+06F0 to U+06F9):
// nearly every SKU holds some, so every line not found would cost another lookup.
std::optional<QString> persianYehSpelling(const QString& sku);

// The products of a lookup answer that have the SKU (isSameSku), in the shop's order.
QList<shop::ListedProduct> productsWithSku(const QList<shop::ListedProduct>& products,
                                           const QString& sku);

// Where a found product's update goes: productRes + id + "/" ("products/55/"), and for a
// variation its product's variations route, productRes + parent id + "/variations/" + id.
QString updateResource(const QString& productRes, const shop::ListedProduct& product);

// The resource of the batch call that takes a found product's update: productRes, or for a
// variation productRes + parent id + "/variations/" (the call adds "batch").
QString batchResource(const QString& productRes, const shop::ListedProduct& product);

}  // namespace norvan::products
