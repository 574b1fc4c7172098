#pragma once

#include "OAuthSignature.h"
#include "RestAnswer.h"
#include "SampleShop.h"

#include <map>
#include <mutex>
#include <optional>
#include <string>

namespace norvan::sampleshop {

// What the authentication of a request looks at.
struct AuthRequest {
    std::string method;
    std::string url;            // scheme://host:port/path as received, without the query
    Parameters query;           // decoded
    std::string authorization;  // the Authorization header, "" if none
};

struct AuthResult {
    bool authenticated = false;         // a valid key: the route's permission check passes
    std::optional<RestAnswer> refusal;  // an authentication error the shop answers at once (401)
};

// Checks credentials as the shop does: Basic (or consumer_key and consumer_secret in the query)
// first, over HTTPS or where Options::basicOverPlainHttp allows it, then OAuth 1.0a with the query
// among the signed parameters, the timestamp within 15 minutes of the clock and each nonce used
// once. An unknown Basic key is no error by itself: the route's permission check refuses it later.
class ShopAuthenticator {
  public:
    explicit ShopAuthenticator(Options options);
    AuthResult authenticate(const AuthRequest& request);

  private:
    std::optional<AuthResult> basic(const AuthRequest& request) const;
    AuthResult oauth(const AuthRequest& request);
    bool useNonce(const std::string& nonce, long long timestamp, long long now);

    Options options_;
    std::mutex mutex_;
    std::map<std::string, long long> usedNonces_;  // nonce -> its timestamp
};

}  // namespace norvan::sampleshop
