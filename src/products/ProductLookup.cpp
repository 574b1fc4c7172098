#include "ProductLookup.h"

#include "shop/JsonTokenReader.h"

#include <QHash>
#include <QUrl>

namespace norvan::products {

QString skuQuery(const QString& sku) {
    return QStringLiteral("sku=") + QString::fromLatin1(QUrl::toPercentEncoding(sku));
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

}  // namespace norvan::products
