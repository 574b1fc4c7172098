#pragma once

#include "common/NameValueList.h"
#include "shop/JsonBody.h"

namespace norvan::products {

// The update body of one product from its rows: sku, stock_quantity (number, or null for an
// untracked stock), manage_stock (as the "manage_stock" row says), tax_status, weight,
// regular_price and the first sale_price, prices and weight as the line's text.
// Throws Error("'<text>' is not a valid integer value") when a tracked stock quantity is not a
// 32-bit whole number in decimal digits.
// shopSku, when given, takes the place of the "sku" row: the found product's SKU as the shop
// spells it, so that an update never renames it to the line's letter case or Yeh.
shop::JsonBody productBody(const common::NameValueList& rows, const QString& shopSku = {});

// An item of a products/batch call: "id" (the product's, as a number) and then the members of
// productBody, checked as it checks them.
shop::JsonBody batchItemBody(const QString& id, const common::NameValueList& rows,
                             const QString& shopSku = {});

}  // namespace norvan::products
