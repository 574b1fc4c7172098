#pragma once

#include <QString>

namespace norvan::products {

// The query that looks a product up by its SKU: "sku=" + the SKU percent-encoded (RFC 3986
// unreserved characters kept, UTF-8 otherwise), so "+", "&", "#", "/" and blanks reach the shop
// as part of the SKU.
QString skuQuery(const QString& sku);

// The first product of a lookup answer.
struct FoundProduct {
    QString id;   // "" when the answer holds none
    QString sku;  // "" when that product has none
};

// The id is the first whole-number value of a property named "id" (exact case) in a JSON text, as
// decimal text; the SKU is the string "sku" beside it in the same object. Reading stops once both
// are known, so the rest is never parsed.
// Throws Error with the reader's message when the text is not JSON up to that point.
FoundProduct GetFirstProduct(const QString& jsonText);

}  // namespace norvan::products
