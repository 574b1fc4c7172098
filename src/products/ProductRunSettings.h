#pragma once

#include "shop/ShopConnection.h"

#include <QString>

namespace norvan::products {

// The window's connection and product settings as the product run reads them.
struct ProductRunSettings {
    shop::ShopConnection connection;
    QString productRes;        // edtProductRes, e.g. "products/"
    bool addProducts = false;  // chbProdAdd
    bool batches = false;      // chbBatch: one lookup and one batch call per 100 lines
};

}  // namespace norvan::products
