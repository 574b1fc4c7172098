#pragma once

#include "common/NameValueList.h"

#include <QString>
#include <optional>

namespace norvan::products {

// Turns one product line "sku;stock;taxable;weight;regular price;sale price;untracked[;name]"
// into the product rows of vleProdValue: sku, manage_stock, stock_quantity, tax_status, weight,
// sale_price (twice), regular_price and, when given, name.
// Throws Error("List index out of bounds (6)") for a line of one to six fields, after the "sku"
// row has been added, and "(0)" for a line of blanks only; `rows` keeps what was added.
void LoadingProds(const QString& text, common::NameValueList& rows);

// A product line read for sending: its rows, as far as the line gave them, and why it cannot be
// sent when it cannot.
struct ReadProductLine {
    common::NameValueList rows;
    QString sku;    // the "sku" row
    QString fault;  // "List index out of bounds (6)", "The line has no SKU.", or empty
};
ReadProductLine readProductLine(const QString& line);

// The SKU of a product line folded for comparison: lines of one SKU in any letter case update
// the same product. Empty when the line has no SKU.
QString skuKey(const QString& line);

// bLoadProd: the rows of the selected line of lstProdTextFile, no rows when none is selected.
void loadSelectedLine(const std::optional<QString>& selectedLine, common::NameValueList& rows);

}  // namespace norvan::products
