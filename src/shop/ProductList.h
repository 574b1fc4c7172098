#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

namespace norvan::shop {

// A product of a product list answer (a SKU lookup): what the product run needs of it.
struct ListedProduct {
    QString id;        // decimal text; "" when the product has no whole-number "id"
    QString sku;       // "" when it has none
    QString type;      // "simple", "variable", "variation", ...
    QString parentId;  // a variation's product; "" or "0" for any other

    // A variation, written through its product's variations route.
    bool isVariation() const {
        return type == u"variation" && !parentId.isEmpty() && parentId != u"0";
    }
    bool operator==(const ListedProduct&) const = default;
};

// The shop's answer to a product list call: the products in the shop's order, or the failure of
// the call, a text that begins with "Error: ".
struct ProductList {
    QString failure;
    QList<ListedProduct> products;
};

// The products of a list answer, a JSON array of product objects: each one's own "id" (a whole
// number), "sku", "type" (strings) and "parent_id" (a whole number), read from the answer's bytes
// in one pass; members of nested objects are not the product's. An answer that is JSON but not
// an array lists none. Nothing when the answer is not JSON; throws Error(jsonTooDeepMessage())
// for one nested deeper than kMaxJsonDepth.
std::optional<QList<ListedProduct>> readProductList(const QByteArray& answer);

}  // namespace norvan::shop
