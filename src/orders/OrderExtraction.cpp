#include "OrderExtraction.h"

#include "FloatText.h"
#include "JsonArrayCounter.h"
#include "common/Error.h"
#include "shop/JsonTokenReader.h"
#include "shop/TWooCommerceAPI.h"

#include <QRegularExpression>
#include <QSet>
#include <algorithm>

namespace norvan::orders {

namespace {

// Rows and field entries repeat every path of the order text, and a path grows with the names
// of all the containers above its value, while the text holds each name once. So that no order
// text can take memory out of all proportion, they may hold at most this many characters for
// each byte of the text; a shop's order gives about as many.
constexpr qsizetype kMaxFlattenedGrowth = 4;
constexpr qsizetype kFlattenedAlwaysTaken = qsizetype{1} << 20;

}  // namespace

void GetWooCommerceOrdersValue(QString ARes, const QString& requestedId, const QString& itemTitle,
                               ExtractedOrder& order) {
    const QByteArray utf8 = ARes.toUtf8();
    ARes = QString();
    GetWooCommerceOrdersValue(utf8, requestedId, itemTitle, order);
}

void GetWooCommerceOrdersValue(const QByteArray& utf8, const QString& requestedId,
                               const QString& itemTitle, ExtractedOrder& order) {
    order.rows.clear();
    order.headerFields.clear();
    order.itemFields.clear();
    order.orderId.clear();

    JsonArrayCounter items(itemTitle);
    QSet<QString> itemKeys;  // one copy of each item key, shared by all its entries
    const qsizetype maxFlattened =
        std::max(utf8.size() * kMaxFlattenedGrowth, kFlattenedAlwaysTaken);
    qsizetype flattened = 0;
    const auto addToFlattened = [&](qsizetype characters) {
        flattened += characters;
        if (flattened > maxFlattened)
            throw Error(QStringLiteral("The order is too large to read: its rows and fields "
                                       "would hold more than %1 characters.")
                            .arg(maxFlattened));
    };
    // An empty answer (a successful request without a JSON body) holds no tokens.
    if (!utf8.isEmpty()) {
        shop::readJsonTokens(utf8, [&](const shop::JsonToken& token) {
            items.take(token);
            switch (token.kind) {
                case shop::JsonTokenKind::PropertyName:
                    // A plain substring test: letter case counts, an empty title claims nothing.
                    if (!itemTitle.isEmpty() && token.path.contains(itemTitle)) {
                        addToFlattened(token.text.size());
                        order.itemFields.append(*itemKeys.insert(token.text));
                    } else {
                        addToFlattened(token.path.size());
                        order.headerFields.append(token.path);
                    }
                    break;
                case shop::JsonTokenKind::Integer:
                case shop::JsonTokenKind::String:
                case shop::JsonTokenKind::Float: {
                    const QString value = token.kind == shop::JsonTokenKind::Float
                                              ? floatText(token.text)
                                              : token.text;
                    addToFlattened(token.path.size() + 1 + value.size());
                    order.rows.addPair(token.path, value);
                    break;
                }
                default:
                    break;
            }
            return true;
        });
    }

    order.itemCount = static_cast<int>(items.count());
    const QString ownId = order.rows.value(QStringLiteral("id"));
    order.orderId = ownId.isEmpty() ? requestedId : ownId;
}

void extractOrder(const shop::ShopConnection& connection, const QString& orderRes,
                  const QString& orderId, const QString& itemTitle, ExtractedOrder& order) {
    static const QRegularExpression positiveWholeNumber(QStringLiteral("^[1-9][0-9]{0,18}$"));
    if (!positiveWholeNumber.match(orderId).hasMatch())
        throw Error(QStringLiteral("\"%1\" is not an order id").arg(orderId));
    shop::TWooCommerceAPI client(connection);
    QString failure;
    const QByteArray answer = client.GetAnswerBytes(orderRes + orderId + u'/', QString(), failure);
    try {
        // A failed request's text is read as the order, which the reader rejects.
        GetWooCommerceOrdersValue(failure.isEmpty() ? answer : failure.toUtf8(), orderId, itemTitle,
                                  order);
    } catch (const Error& error) {
        if (failure.isEmpty()) throw;
        throw FailedOrderRead(error.message(), failure);
    }
    if (order.orderId != orderId) {
        const QString answered = order.orderId;
        order.orderId.clear();
        throw Error(
            QStringLiteral("The shop answered order %1 with order %2").arg(orderId, answered));
    }
}

}  // namespace norvan::orders
