#include "SkuLookup.h"

#include "ProductLookup.h"
#include "common/Error.h"
#include "shop/ResultText.h"
#include "shop/TWooCommerceAPI.h"

namespace norvan::products {

namespace {

// GET productRes?query, tried again while it fails in transit; `read` takes the answer apart. The
// lookup holds the failed call, or the reader's fault.
SkuLookup lookUp(shop::TWooCommerceAPI& client, const QString& productRes, const QString& query,
                 const shop::Pause& pause, const std::function<void(const QString&)>& read) {
    SkuLookup lookup;
    const QString answer = shop::callWithRetries(
        client, [&] { return client.GetResponse(productRes, query); }, pause);
    if (shop::isFailureResult(answer)) {
        lookup.failure = CallResult::of(client, answer);
        return lookup;
    }
    try {
        read(answer);
    } catch (const Error& error) {
        lookup.fault = error.message();
    }
    return lookup;
}

}  // namespace

SkuLookup lookUpSku(shop::TWooCommerceAPI& client, const QString& productRes, const QString& sku,
                    const shop::Pause& pause) {
    FoundProduct found;
    SkuLookup lookup = lookUp(client, productRes, skuQuery(sku), pause,
                              [&](const QString& answer) { found = GetFirstProduct(answer); });
    if (isSameSku(found.sku, sku)) lookup.id = found.id;
    return lookup;
}

QHash<QString, SkuLookup> lookUpSkus(shop::TWooCommerceAPI& client, const QString& productRes,
                                     const QStringList& skus, const shop::Pause& pause) {
    QList<FoundProduct> products;
    const SkuLookup whole =
        lookUp(client, productRes, skuListQuery(skus), pause,
               [&](const QString& answer) { products = listedProducts(answer); });
    QHash<QString, SkuLookup> lookups;
    for (const QString& sku : skus) {
        SkuLookup lookup = whole;
        lookup.id = idOfSku(products, sku);
        lookups.insert(sku.toCaseFolded(), lookup);
    }
    return lookups;
}

}  // namespace norvan::products
