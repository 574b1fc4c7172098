#pragma once

#include "shop/FailedAnswer.h"

#include <QString>

namespace norvan::shop {
class TWooCommerceAPI;
}

namespace norvan::products {

// A shop call as the client left it: its result text, where a shop that moved sent it, whether it
// failed in transit (see TWooCommerceAPI::lastCallFailedInTransit), and what the answer to a
// failed call said.
struct CallResult {
    QString text;
    QString movedTo;
    bool failedInTransit = false;
    shop::FailedAnswer answer;

    static CallResult of(const shop::TWooCommerceAPI& client, const QString& text);

    // What a failed call means for the line it was made for.
    enum class Meaning {
        LineRefused,  // the shop refused the line's content: a 400, or an error about the product
        KeyRefused,   // 401: the shop takes no call with this key
        FirewallRefused,  // 403: something in front of the shop takes none from the program
        LineKept,         // it says nothing about the line: sent again next run
    };
    Meaning meaning() const;
};

}  // namespace norvan::products
