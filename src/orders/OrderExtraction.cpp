#include "OrderExtraction.h"

#include "FloatText.h"
#include "JsonDocument.h"
#include "common/Error.h"
#include "shop/JsonTokenReader.h"
#include "shop/TWooCommerceAPI.h"

#include <QRegularExpression>

namespace norvan::orders {

void GetWooCommerceOrdersValue(const QString& ARes, const QString& requestedId,
                               const QString& itemTitle, ExtractedOrder& order) {
    order.rows.clear();
    order.headerFields.clear();
    order.itemFields.clear();
    order.orderId.clear();

    // An empty answer (a successful request without a JSON body) holds no tokens.
    if (!ARes.isEmpty()) {
        shop::readJsonTokens(ARes, [&](const shop::JsonToken& token) {
            switch (token.kind) {
                case shop::JsonTokenKind::PropertyName:
                    // A plain substring test: letter case counts, an empty title claims nothing.
                    if (!itemTitle.isEmpty() && token.path.contains(itemTitle))
                        order.itemFields.append(token.text);
                    else
                        order.headerFields.append(token.path);
                    break;
                case shop::JsonTokenKind::Integer:
                case shop::JsonTokenKind::String:
                    order.rows.addPair(token.path, token.text);
                    break;
                case shop::JsonTokenKind::Float:
                    order.rows.addPair(token.path, floatText(token.text));
                    break;
                default:
                    break;
            }
            return true;
        });
    }

    const int itemCount = int(GetJsonArray(parseJsonDocument(ARes), itemTitle).size());
    order.itemCount = itemCount;
    const QString ownId = order.rows.value(QStringLiteral("id"));
    order.orderId = ownId.isEmpty() ? requestedId : ownId;
}

void extractOrder(const shop::ShopConnection& connection, const QString& orderRes,
                  const QString& orderId, const QString& itemTitle, ExtractedOrder& order) {
    static const QRegularExpression positiveWholeNumber(QStringLiteral("^[1-9][0-9]{0,18}$"));
    if (!positiveWholeNumber.match(orderId).hasMatch())
        throw Error(QStringLiteral("\"%1\" is not an order id").arg(orderId));
    shop::TWooCommerceAPI client(connection);
    GetWooCommerceOrdersValue(client.GetResponse(orderRes + orderId + u'/', QString()), orderId,
                              itemTitle, order);
    if (order.orderId != orderId) {
        const QString answered = order.orderId;
        order.orderId.clear();
        throw Error(
            QStringLiteral("The shop answered order %1 with order %2").arg(orderId, answered));
    }
}

}  // namespace norvan::orders
