#pragma once

#include <QString>

namespace norvan::orders {

// The connection settings a shop client of one run is made from.
struct ShopConnection {
    QString baseUrl;      // edtEComURL
    QString user;         // edtUser: user name or consumer key
    QString password;     // edtPassword: password or consumer secret
    bool oauth1 = false;  // chbConKey: OAuth 1.0a consumer keys instead of HTTP Basic
};

}  // namespace norvan::orders
