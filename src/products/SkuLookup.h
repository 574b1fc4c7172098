#pragma once

#include "CallResult.h"
#include "shop/ProductList.h"
#include "shop/RetryPolicy.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace norvan::shop {
class TWooCommerceAPI;
}

namespace norvan::products {

// What the shop said of one SKU.
struct SkuLookup {
    std::optional<CallResult> failure;  // the lookup call failed
    // The shop's products with the SKU (isSameSku), in the shop's order: none when the shop has
    // no such product, more than one when it holds the SKU in two spellings.
    QList<shop::ListedProduct> products;
};

// Looks one SKU up with a call of its own, GET productRes?sku=<SKU>, tried again while it fails
// in transit as the retry policy says; a SKU with an Arabic Yeh is looked up again in its Persian
// spelling (persianYehSpelling), also when found as read: a shop that holds both spellings holds
// two products the line may mean. A shop may strip parts of the SKU asked for and answer with
// another product: only products with the SKU count.
SkuLookup lookUpSku(shop::TWooCommerceAPI& client, const QString& productRes, const QString& sku,
                    const shop::Pause& pause);

// Looks up to kMostProductsPerCall SKUs up with one call (skuListQuery), each in its Persian
// spelling too, none of them holding a comma; SKUs too long together for one request line take
// more calls. The lookups by comparableSku.
QHash<QString, SkuLookup> lookUpSkus(shop::TWooCommerceAPI& client, const QString& productRes,
                                     const QStringList& skus, const shop::Pause& pause);

}  // namespace norvan::products
