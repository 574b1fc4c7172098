#include "CallResult.h"

#include "shop/TWooCommerceAPI.h"

namespace norvan::products {

namespace {

// The shop's error codes that are about the product, its SKU or the data sent for it, as
// "woocommerce_rest_product_invalid_id", "product_invalid_sku", "rest_invalid_param".
bool isAboutTheProduct(const QString& code) {
    return code.contains(u"product") || code.contains(u"sku") || code.startsWith(u"rest_invalid_");
}

}  // namespace

CallResult CallResult::of(const shop::TWooCommerceAPI& client, const QString& text) {
    return {.text = text,
            .movedTo = client.movedTo(),
            .failedInTransit = client.lastCallFailedInTransit(),
            .answer = client.lastFailure()};
}

CallResult::Meaning CallResult::meaning() const {
    if (failedInTransit) return Meaning::LineKept;
    if (answer.status == 401) return Meaning::KeyRefused;
    if (answer.status == 403) return Meaning::FirewallRefused;
    if (answer.status == 400 || isAboutTheProduct(answer.code)) return Meaning::LineRefused;
    return Meaning::LineKept;
}

}  // namespace norvan::products
