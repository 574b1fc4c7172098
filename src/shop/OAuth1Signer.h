#pragma once

#include "Authenticator.h"
#include "common/Clock.h"

#include <QString>
#include <functional>

namespace norvan::shop {

// OAuth 1.0a with HMAC-SHA1, consumer key and secret only, as the shop verifies it
// (RFC 5849 section 3.4.1): the query's parameters are signed with the protocol parameters and
// the base-string URL carries no query.
class OAuth1Signer : public Authenticator {
  public:
    using RandomSource = std::function<quint32()>;  // 0 .. 2147483646
    static RandomSource systemRandom();

    OAuth1Signer(const QString& consumerKey, const QString& consumerSecret,
                 common::Clock clock = common::systemClock(), RandomSource random = systemRandom());

    // A fresh timestamp and nonce for every request.
    QByteArray authorization(const QByteArray& method, const RequestUrl& url) override;

    // The header for a given timestamp and nonce, and the Base64 signature inside it.
    QByteArray authorization(const QByteArray& method, const RequestUrl& url,
                             const QByteArray& timestamp, const QByteArray& nonce) const;
    QByteArray signature(const QByteArray& method, const RequestUrl& url,
                         const QByteArray& timestamp, const QByteArray& nonce) const;

  private:
    QByteArray consumerKey_;
    QByteArray consumerSecret_;
    common::Clock clock_;
    RandomSource random_;
};

}  // namespace norvan::shop
