#include "ProductBody.h"

#include "common/Error.h"

namespace norvan::products {

namespace {

bool isDecimalInteger(const QString& text) {
    qsizetype start = (text.startsWith(u'+') || text.startsWith(u'-')) ? 1 : 0;
    if (start == text.size()) return false;
    for (qsizetype i = start; i < text.size(); ++i) {
        if (text.at(i) < u'0' || text.at(i) > u'9') return false;
    }
    return true;
}

int toInteger(const QString& text) {
    bool inRange = false;
    const int value = isDecimalInteger(text) ? text.toInt(&inRange, 10) : 0;
    if (!inRange) throw Error(QStringLiteral("'%1' is not a valid integer value").arg(text));
    return value;
}

void addProductMembers(shop::JsonBody& body, const common::NameValueList& rows,
                       const QString& shopSku) {
    body.add(QStringLiteral("sku"),
             shopSku.isEmpty() ? rows.value(QStringLiteral("sku")) : shopSku);
    // An untracked stock is sent as untracked: claiming to track a null quantity makes the shop
    // set the stock to 0 and the product out of stock.
    const bool manageStock =
        rows.value(QStringLiteral("manage_stock")).compare(u"true", Qt::CaseInsensitive) == 0;
    const QString quantity = rows.value(QStringLiteral("stock_quantity"));
    if (quantity == u"null")
        body.addNull(QStringLiteral("stock_quantity"));
    else
        body.add(QStringLiteral("stock_quantity"), qint64{toInteger(quantity)});
    body.add(QStringLiteral("manage_stock"), manageStock);
    body.add(QStringLiteral("tax_status"), rows.value(QStringLiteral("tax_status")));
    body.add(QStringLiteral("weight"), rows.value(QStringLiteral("weight")));
    body.add(QStringLiteral("regular_price"), rows.value(QStringLiteral("regular_price")));
    body.add(QStringLiteral("sale_price"), rows.value(QStringLiteral("sale_price")));
}

}  // namespace

shop::JsonBody productBody(const common::NameValueList& rows, const QString& shopSku) {
    shop::JsonBody body;
    addProductMembers(body, rows, shopSku);
    return body;
}

shop::JsonBody batchItemBody(const QString& id, const common::NameValueList& rows,
                             const QString& shopSku) {
    shop::JsonBody body;
    body.add(QStringLiteral("id"), id.toLongLong());
    addProductMembers(body, rows, shopSku);
    return body;
}

}  // namespace norvan::products
