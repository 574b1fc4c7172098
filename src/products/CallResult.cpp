#include "CallResult.h"

#include "shop/TWooCommerceAPI.h"

namespace norvan::products {

CallResult CallResult::of(const shop::TWooCommerceAPI& client, const QString& text) {
    return {.text = text,
            .movedTo = client.movedTo(),
            .failedInTransit = client.lastCallFailedInTransit()};
}

}  // namespace norvan::products
