#pragma once

#include <QString>

namespace norvan::shop {

// The connection settings every shop client of a run is made from; only the window reads them
// from its controls.
struct ShopConnection {
    QString baseUrl;      // edtEComURL
    QString user;         // edtUser: user name or consumer key
    QString password;     // edtPassword: password or consumer secret
    bool oauth1 = false;  // chbConKey: OAuth 1.0a consumer keys instead of HTTP Basic
};

}  // namespace norvan::shop
