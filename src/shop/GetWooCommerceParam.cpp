#include "GetWooCommerceParam.h"

#include "JsonTokenReader.h"

namespace norvan::shop {

void GetWooCommerceParam(const QString& ARes, QStringList& ids) {
    GetWooCommerceParam(ARes.toUtf8(), ids);
}

void GetWooCommerceParam(const QByteArray& utf8, QStringList& ids) {
    constexpr qsizetype kLastListedIdPosition = 8;  // counted from 1
    QString lastPropertyName;
    readJsonTokens(utf8, [&](const JsonToken& token) {
        if (token.kind == JsonTokenKind::PropertyName) {
            lastPropertyName = token.text;
        } else if (token.kind == JsonTokenKind::Integer && lastPropertyName == u"id" &&
                   token.path.indexOf(u".id") + 1 <= kLastListedIdPosition) {
            ids.append(token.text);
        }
        return true;
    });
}

}  // namespace norvan::shop
