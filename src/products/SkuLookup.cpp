#include "SkuLookup.h"

#include "ProductLookup.h"
#include "shop/TWooCommerceAPI.h"

#include <algorithm>
#include <utility>

namespace norvan::products {

namespace {

// GET productRes?query, tried again while it fails in transit: the products listed, or the
// failed call.
SkuLookup listProducts(shop::TWooCommerceAPI& client, const QString& productRes,
                       const QString& query, const shop::Pause& pause) {
    shop::ProductList list;
    shop::callWithRetries(
        client,
        [&] {
            list = client.ListProducts(productRes, query);
            return list.failure;
        },
        pause);
    if (!list.failure.isEmpty())
        return {.failure = CallResult::of(client, list.failure), .products = {}};
    return {.failure = std::nullopt, .products = std::move(list.products)};
}

// The SKU as read and, when it differs, as the shop may spell it.
QStringList spellings(const QString& sku) {
    const std::optional<QString> persian = persianYehSpelling(sku);
    return persian ? QStringList{sku, *persian} : QStringList{sku};
}

// Common servers refuse a request line much over 8 KB (414), which a hundred long or Persian SKUs,
// six bytes a letter once encoded, could pass: the SKUs go in as many calls as keep each query
// within kMostQueryLength, the spellings of one SKU in the same call.
constexpr qsizetype kMostQueryLength = 4000;

QList<QStringList> queryGroups(const QStringList& skus) {
    // skuListQuery's length is counted as the SKUs come, each encoded once: its fixed part, and
    // the SKUs with a comma before each, less the first one's.
    const qsizetype fixedLength = skuListQuery({}).size();
    QList<QStringList> groups;
    QStringList group;
    qsizetype groupLength = 0;  // the group's SKUs, each with its comma
    for (const QString& sku : skus) {
        const QStringList spelt = spellings(sku);
        qsizetype speltLength = 0;
        for (const QString& spelling : spelt) speltLength += 1 + encodedSku(spelling).size();
        if (!group.isEmpty() && fixedLength + groupLength + speltLength - 1 > kMostQueryLength) {
            groups.append(std::exchange(group, {}));
            groupLength = 0;
        }
        group += spelt;
        groupLength += speltLength;
    }
    if (!group.isEmpty()) groups.append(group);
    return groups;
}

}  // namespace

SkuLookup lookUpSku(shop::TWooCommerceAPI& client, const QString& productRes, const QString& sku,
                    const shop::Pause& pause) {
    SkuLookup lookup;
    for (const QString& spelling : spellings(sku)) {
        SkuLookup listed = listProducts(client, productRes, skuQuery(spelling), pause);
        if (listed.failure) return listed;
        for (const shop::ListedProduct& product : productsWithSku(listed.products, sku)) {
            const bool known = std::ranges::any_of(
                lookup.products,
                [&](const shop::ListedProduct& found) { return found.id == product.id; });
            if (!known) lookup.products.append(product);
        }
    }
    return lookup;
}

QHash<QString, SkuLookup> lookUpSkus(shop::TWooCommerceAPI& client, const QString& productRes,
                                     const QStringList& skus, const shop::Pause& pause) {
    QHash<QString, SkuLookup> lookups;
    for (const QStringList& group : queryGroups(skus)) {
        const SkuLookup whole = listProducts(client, productRes, skuListQuery(group), pause);
        QHash<QString, SkuLookup> groupLookups;
        for (const QString& spelling : group)
            groupLookups.insert(comparableSku(spelling),
                                {.failure = whole.failure, .products = {}});
        for (const shop::ListedProduct& product : whole.products) {
            const auto lookup = groupLookups.find(comparableSku(product.sku));
            if (lookup != groupLookups.end() && !product.id.isEmpty())
                lookup->products.append(product);
        }
        lookups.insert(groupLookups);
    }
    return lookups;
}

}  // namespace norvan::products
