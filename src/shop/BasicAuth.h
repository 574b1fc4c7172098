#pragma once

#include "Authenticator.h"

#include <QString>

namespace norvan::shop {

// HTTP Basic: sent with the first request, without waiting for a challenge.
class BasicAuth : public Authenticator {
  public:
    BasicAuth(const QString& userName, const QString& password);
    QByteArray authorization(const QByteArray& method, const RequestUrl& url) override;

  private:
    QByteArray header_;
};

}  // namespace norvan::shop
