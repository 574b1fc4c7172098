#include "ProductLookup.h"

#include <QUrl>

namespace norvan::products {

namespace {

constexpr char16_t kArabicYeh = u'\u064A';
constexpr char16_t kPersianYeh = u'\u06CC';
constexpr char16_t kArabicKaf = u'\u0643';
constexpr char16_t kPersianKaf = u'\u06A9';  // keheh

}  // namespace

QString encodedSku(const QString& sku) {
    return QString::fromLatin1(QUrl::toPercentEncoding(sku));
}

QString skuQuery(const QString& sku) {
    return QStringLiteral("sku=") + encodedSku(sku);
}

QString skuListQuery(const QStringList& skus) {
    QStringList encoded;
    encoded.reserve(skus.size());
    for (const QString& sku : skus) encoded.append(encodedSku(sku));
    return QStringLiteral("sku=") + encoded.join(u',') + QStringLiteral("&per_page=") +
           QString::number(kMostProductsPerCall);
}

QString comparableSku(const QString& sku) {
    QString comparable = sku.toCaseFolded();
    comparable.replace(QChar(kArabicYeh), QChar(kPersianYeh));
    comparable.replace(QChar(kArabicKaf), QChar(kPersianKaf));
    return comparable;
}

bool isSameSku(const QString& productSku, const QString& askedSku) {
    return comparableSku(productSku) == comparableSku(askedSku);
}

std::optional<QString> persianYehSpelling(const QString& sku) {
    if (!sku.contains(QChar(kArabicYeh))) return std::nullopt;
    return QString(sku).replace(QChar(kArabicYeh), QChar(kPersianYeh));
}

QList<shop::ListedProduct> productsWithSku(const QList<shop::ListedProduct>& products,
                                           const QString& sku) {
    const QString comparable = comparableSku(sku);
    QList<shop::ListedProduct> found;
    for (const shop::ListedProduct& product : products)
        if (!product.id.isEmpty() && comparableSku(product.sku) == comparable)
            found.append(product);
    return found;
}

QString updateResource(const QString& productRes, const shop::ListedProduct& product) {
    if (product.isVariation()) return batchResource(productRes, product) + product.id;
    return productRes + product.id + u'/';
}

QString batchResource(const QString& productRes, const shop::ListedProduct& product) {
    if (!product.isVariation()) return productRes;
    return productRes + product.parentId + QStringLiteral("/variations/");
}

}  // namespace norvan::products
