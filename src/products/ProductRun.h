#pragma once

#include "ProductRunWindow.h"
#include "shop/ShopConnection.h"

#include <QString>
#include <QStringList>

namespace norvan::shop {
class TWooCommerceAPI;
}

namespace norvan::products {

// The window's connection and product settings as the run reads them.
struct ProductRunSettings {
    shop::ShopConnection connection;
    QString productRes;        // edtProductRes, e.g. "products/"
    bool addProducts = false;  // chbProdAdd
};

// The product run (btnUpdateProduct): for every product line, look the product up by its SKU and
// send its stock, tax status, weight and prices, logging each step to the window.
// A line that cannot be sent is logged with its number and the run goes on, since the product
// file it came from is already deleted. Throws Error only when the shop client cannot be made;
// the run then ends at once (no END line, the pointer as it was set).
class ProductRun {
  public:
    ProductRun(ProductRunSettings settings, ProductRunWindow& window);
    void run(const QStringList& lines);

  private:
    void sendLines(shop::TWooCommerceAPI& client, const QStringList& lines);
    void sendLine(shop::TWooCommerceAPI& client, const QString& line);
    void sendProduct(shop::TWooCommerceAPI& client, const common::NameValueList& rows,
                     const QString& id);
    void log(const QString& line) { window_.appendLog(line); }

    ProductRunSettings settings_;
    ProductRunWindow& window_;
};

}  // namespace norvan::products
