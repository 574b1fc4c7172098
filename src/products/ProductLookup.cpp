#include "ProductLookup.h"

#include "shop/JsonTokenReader.h"

#include <QHash>
#include <QUrl>

namespace norvan::products {

namespace {

QString encodedSku(const QString& sku) {
    return QString::fromLatin1(QUrl::toPercentEncoding(sku));
}

}  // namespace

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

bool isSameSku(const QString& productSku, const QString& askedSku) {
    return productSku.compare(askedSku, Qt::CaseInsensitive) == 0;
}

namespace {

// The path prefix of the members beside the one at path: "[0].id" -> "[0].", "id" -> "".
QString objectPrefix(const QString& path) {
    return path.left(path.lastIndexOf(u'.') + 1);
}

}  // namespace

FoundProduct GetFirstProduct(const QString& jsonText) {
    FoundProduct found;
    QString lastPropertyName;
    QString prefix;
    QString skuPath;
    QHash<QString, QString> skus;  // strings named "sku" read before the id, by path
    shop::readJsonTokens(jsonText, [&](const shop::JsonToken& token) {
        // The product's object has ended without a SKU.
        if (!found.id.isEmpty() && !token.path.startsWith(prefix)) return false;
        if (token.kind == shop::JsonTokenKind::PropertyName) {
            lastPropertyName = token.text;
        } else if (token.kind == shop::JsonTokenKind::String && lastPropertyName == u"sku") {
            if (found.id.isEmpty()) {
                skus.insert(token.path, token.text);
            } else if (token.path == skuPath) {
                found.sku = token.text;
                return false;
            }
        } else if (token.kind == shop::JsonTokenKind::Integer && lastPropertyName == u"id" &&
                   found.id.isEmpty()) {
            found.id = token.text;
            prefix = objectPrefix(token.path);
            skuPath = prefix + QStringLiteral("sku");
            if (skus.contains(skuPath)) {
                found.sku = skus.value(skuPath);
                return false;
            }
        }
        return true;
    });
    return found;
}

QList<FoundProduct> listedProducts(const QString& jsonText) {
    QList<FoundProduct> products;
    shop::readJsonTokens(jsonText, [&](const shop::JsonToken& token) {
        // A product is an element of the outer array ("[3]"); its own members are "[3].id" and so
        // on, deeper ones have longer paths.
        if (!token.path.startsWith(u'[')) return true;
        const QStringView member = QStringView(token.path).mid(token.path.indexOf(u']') + 1);
        if (token.kind == shop::JsonTokenKind::StartObject && member.isEmpty())
            products.append(FoundProduct{});
        else if (token.kind == shop::JsonTokenKind::Integer && member == u".id")
            products.last().id = token.text;
        else if (token.kind == shop::JsonTokenKind::String && member == u".sku")
            products.last().sku = token.text;
        return true;
    });
    return products;
}

QString idOfSku(const QList<FoundProduct>& products, const QString& sku) {
    for (const FoundProduct& product : products)
        if (!product.id.isEmpty() && isSameSku(product.sku, sku)) return product.id;
    return {};
}

}  // namespace norvan::products
