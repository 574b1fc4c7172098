#include "ProductLookup.h"

#include "shop/JsonTokenReader.h"

#include <QUrl>

namespace norvan::products {

QString skuQuery(const QString& sku) {
    return QStringLiteral("sku=") + QString::fromLatin1(QUrl::toPercentEncoding(sku));
}

QString GetFirstProductId(const QString& jsonText) {
    QString id;
    QString lastPropertyName;
    shop::readJsonTokens(jsonText, [&](const shop::JsonToken& token) {
        if (token.kind == shop::JsonTokenKind::PropertyName) {
            lastPropertyName = token.text;
        } else if (token.kind == shop::JsonTokenKind::Integer && lastPropertyName == u"id") {
            id = token.text;
            return false;
        }
        return true;
    });
    return id;
}

}  // namespace norvan::products
