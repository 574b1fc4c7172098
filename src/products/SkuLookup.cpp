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
    // An answer without JSON (a maintenance or cache page) leaves an empty text.
    if (shop::isFailureResult(answer) || client.lastCallFailedInTransit()) {
        lookup.failure = CallResult::of(
            client,
            answer.isEmpty() ? QStringLiteral("Error: The shop's answer is not JSON.") : answer);
        return lookup;
    }
    try {
        read(answer);
    } catch (const Error& error) {
        lookup.fault = error.message();
    }
    return lookup;
}

// Common servers refuse a request line much over 8 KB (414), which a hundred long or Persian SKUs,
// six bytes a letter once encoded, could pass: the SKUs go in as many calls as keep each query
// within kMostQueryLength.
constexpr qsizetype kMostQueryLength = 4000;

QList<QStringList> queryGroups(const QStringList& skus) {
    QList<QStringList> groups;
    QStringList group;
    for (const QString& sku : skus) {
        if (!group.isEmpty() && skuListQuery(group + QStringList{sku}).size() > kMostQueryLength) {
            groups.append(group);
            group.clear();
        }
        group.append(sku);
    }
    if (!group.isEmpty()) groups.append(group);
    return groups;
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
    QHash<QString, SkuLookup> lookups;
    for (const QStringList& group : queryGroups(skus)) {
        QList<FoundProduct> products;
        const SkuLookup whole =
            lookUp(client, productRes, skuListQuery(group), pause,
                   [&](const QString& answer) { products = listedProducts(answer); });
        for (const QString& sku : group) {
            SkuLookup lookup = whole;
            lookup.id = idOfSku(products, sku);
            lookups.insert(sku.toCaseFolded(), lookup);
        }
    }
    return lookups;
}

}  // namespace norvan::products
