#include "SampleShopSettings.h"

#include "sample-shop/SampleShop.h"

namespace norvan::testing {

settings::SettingsRow sampleShopSettings(const QString& baseUrl, bool oauth1) {
    const sampleshop::Options keys;
    settings::SettingsRow row;
    row.tokenUrl = QStringLiteral("/");
    row.ecomUrl = baseUrl;
    row.siteUser = QString::fromStdString(keys.consumerKey);
    row.sitePass = QString::fromStdString(keys.consumerSecret);
    row.consKey = oauth1;
    row.prodRes = QStringLiteral("products/");
    row.orderRes = QStringLiteral("orders/");
    row.itemTitle = QStringLiteral("line_items");
    row.statusAz = QStringLiteral("processing");
    row.statusTo = QStringLiteral("completed");
    return row;
}

}  // namespace norvan::testing
