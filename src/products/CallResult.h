#pragma once

#include <QString>

namespace norvan::shop {
class TWooCommerceAPI;
}

namespace norvan::products {

// A shop call as the client left it: its result text, where a shop that moved sent it, and
// whether it failed in transit (see TWooCommerceAPI::lastCallFailedInTransit).
struct CallResult {
    QString text;
    QString movedTo;
    bool failedInTransit = false;

    static CallResult of(const shop::TWooCommerceAPI& client, const QString& text);
};

}  // namespace norvan::products
