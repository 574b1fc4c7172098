#pragma once

#include <QByteArray>

namespace norvan::shop {

class RequestUrl;

// Makes the Authorization header value of one request.
class Authenticator {
  public:
    virtual ~Authenticator() = default;
    virtual QByteArray authorization(const QByteArray& method, const RequestUrl& url) = 0;
};

}  // namespace norvan::shop
