#pragma once

#include "CallResult.h"
#include "shop/RetryPolicy.h"

#include <QHash>
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
    QString fault;                      // its answer could not be read (the reader's message)
    QString id;                         // the product's id; "" when no product has the SKU
};

// Looks one SKU up with a call of its own, GET productRes?sku=<SKU>, tried again while it fails
// in transit as the retry policy says. A shop may strip parts of the SKU asked for and answer
// with another product: only a product with the SKU (isSameSku) counts.
SkuLookup lookUpSku(shop::TWooCommerceAPI& client, const QString& productRes, const QString& sku,
                    const shop::Pause& pause);

// Looks up to kMostProductsPerCall SKUs up with one call (skuListQuery), none of them holding a
// comma; SKUs too long together for one request line take more calls. The lookups by the SKUs'
// folded text (QString::toCaseFolded).
QHash<QString, SkuLookup> lookUpSkus(shop::TWooCommerceAPI& client, const QString& productRes,
                                     const QStringList& skus, const shop::Pause& pause);

}  // namespace norvan::products
