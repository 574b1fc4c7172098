#pragma once

#include "common/Error.h"
#include "common/NameValueList.h"
#include "shop/ShopConnection.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace norvan::orders {

// What an extraction shows: the order rows (vleOrderValue), the header and item field lists
// (lstOrderHField, lstOrderItemField) and the item count (edtCountItem). The window keeps one
// and passes it to every extraction, so that a failed one leaves what it had filled in.
struct ExtractedOrder {
    common::NameValueList rows;    // path=value, one per integer, float or string value
    QStringList headerFields;      // full paths of the keys outside the items
    QStringList itemFields;        // bare keys whose path holds the item title, repeated
    std::optional<int> itemCount;  // changed only by an extraction that completes
    // The order the rows belong to: empty while an extraction is under way or after it failed,
    // so that no export goes to an order other than the one whose rows it writes.
    QString orderId;
};

// Flattens the order's JSON text ARes into order; the text is let go while it is read, so that a
// caller that hands over its only copy holds none meanwhile. Clears rows, field lists and orderId
// first; sets itemCount and orderId (the order's own "id" row, else requestedId) once all
// succeeded. Throws Error at the first fault (the JSON reader's message, those of
// JsonArrayCounter for the item title, or "The order is too large to read: ..." when the rows and
// field entries would hold more than four times the text's size), leaving the rows and field
// entries read up to it.
void GetWooCommerceOrdersValue(QString ARes, const QString& requestedId, const QString& itemTitle,
                               ExtractedOrder& order);
// The same for the text's UTF-8 bytes, read where they are (the shop's answer as it came).
void GetWooCommerceOrdersValue(const QByteArray& utf8, const QString& requestedId,
                               const QString& itemTitle, ExtractedOrder& order);

// A read of an order that the shop, or the way to it, failed: its message is the JSON reader's
// rejection of the client's failure text, as the window shows it; a run logs the client's own
// text ("Error: HTTP/1.1 500 Internal Server Error", "Error: REST request failed: ...").
class FailedOrderRead : public Error {
  public:
    FailedOrderRead(const QString& readerMessage, const QString& clientText)
        : Error(readerMessage), clientText_(clientText) {}
    QString clientText() const { return clientText_; }

  private:
    QString clientText_;
};

// Reads order orderId from the shop (orderRes + orderId + "/") and flattens the answer into
// order, reading the answer's bytes once (an order may bring tens of megabytes). A failed request
// comes back as an "Error: " text, which the JSON reader then rejects: thrown as FailedOrderRead.
// The id goes into the address, so it must be a positive whole number; and an answer that names
// another order than the one asked for leaves order.orderId empty, so that nothing is exported
// and no other order's status changes. Both throw Error.
void extractOrder(const shop::ShopConnection& connection, const QString& orderRes,
                  const QString& orderId, const QString& itemTitle, ExtractedOrder& order);

}  // namespace norvan::orders
