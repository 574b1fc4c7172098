#include "ShopAuthenticator.h"

#include "QueryString.h"

#include <openssl/crypto.h>
#include <openssl/evp.h>

#include <chrono>
#include <regex>

namespace norvan::sampleshop {

namespace {

constexpr long long kTimestampWindowSeconds = 15 * 60;

AuthResult refused(const std::string& message) {
    return {false, restError("woocommerce_rest_authentication_error", message, 401)};
}

bool sameText(const std::string& a, const std::string& b) {
    return a.size() == b.size() && CRYPTO_memcmp(a.data(), b.data(), a.size()) == 0;
}

std::optional<std::string> decodeBase64(const std::string& text) {
    if (text.empty() || text.size() % 4 != 0) return std::nullopt;
    std::string bytes(text.size() / 4 * 3, '\0');
    const int length = EVP_DecodeBlock(reinterpret_cast<unsigned char*>(bytes.data()),
                                       reinterpret_cast<const unsigned char*>(text.data()),
                                       static_cast<int>(text.size()));
    if (length < 0) return std::nullopt;
    std::size_t padding = 0;
    while (padding < 2 && text[text.size() - 1 - padding] == '=') ++padding;
    bytes.resize(static_cast<std::size_t>(length) - padding);
    return bytes;
}

// The oauth_* parameters of an "OAuth ..." header, decoded as PHP's urldecode does.
Parameters oauthHeaderParameters(const std::string& header) {
    Parameters parameters;
    if (header.rfind("OAuth ", 0) != 0) return parameters;
    static const std::regex parameter(R"re((oauth_[a-z_-]*)=(?:"([^"]*)"|([^,]*)))re");
    for (auto it = std::sregex_iterator(header.begin(), header.end(), parameter);
         it != std::sregex_iterator(); ++it) {
        const auto& match = *it;
        const std::string value = match[2].matched ? match[2].str() : match[3].str();
        parameters.emplace_back(match[1].str(), decodeUrl(value, true));
    }
    return parameters;
}

void setParameter(Parameters& parameters, const std::string& name, const std::string& value) {
    for (auto& parameter : parameters) {
        if (parameter.first == name) {
            parameter.second = value;
            return;
        }
    }
    parameters.emplace_back(name, value);
}

std::optional<long long> wholeNumber(const std::string& text) {
    if (text.empty() || text.size() > 18) return std::nullopt;
    long long number = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        number = number * 10 + (c - '0');
    }
    return number;
}

}  // namespace

ShopAuthenticator::ShopAuthenticator(Options options) : options_(std::move(options)) {}

AuthResult ShopAuthenticator::authenticate(const AuthRequest& request) {
    if (options_.basicOverPlainHttp || request.url.rfind("https://", 0) == 0) {
        if (auto result = basic(request)) {
            if (result->authenticated) return *result;
            // A wrong secret stays the answer unless OAuth authenticates after all.
            AuthResult viaOAuth = oauth(request);
            return viaOAuth.authenticated || viaOAuth.refusal ? viaOAuth : *result;
        }
    }
    return oauth(request);
}

std::optional<AuthResult> ShopAuthenticator::basic(const AuthRequest& request) const {
    std::string key;
    std::string secret;
    const std::string* queryKey = findParameter(request.query, "consumer_key");
    const std::string* querySecret = findParameter(request.query, "consumer_secret");
    if (queryKey && querySecret && !queryKey->empty() && !querySecret->empty()) {
        key = *queryKey;
        secret = *querySecret;
    } else if (request.authorization.rfind("Basic ", 0) == 0) {
        const auto credentials = decodeBase64(request.authorization.substr(6));
        const std::size_t colon = credentials ? credentials->find(':') : std::string::npos;
        if (colon == std::string::npos) return std::nullopt;
        key = credentials->substr(0, colon);
        secret = credentials->substr(colon + 1);
    }
    if (key.empty() || secret.empty()) return std::nullopt;
    if (!sameText(key, options_.consumerKey)) return AuthResult{};
    if (!sameText(secret, options_.consumerSecret)) {
        return refused("Consumer secret is invalid.");
    }
    return AuthResult{true, std::nullopt};
}

AuthResult ShopAuthenticator::oauth(const AuthRequest& request) {
    Parameters parameters = request.query;
    for (const auto& [name, value] : oauthHeaderParameters(request.authorization)) {
        setParameter(parameters, name, value);
    }

    std::string missing;
    bool haveOne = false;
    for (const char* name : {"oauth_consumer_key", "oauth_timestamp", "oauth_nonce",
                             "oauth_signature", "oauth_signature_method"}) {
        const std::string* value = findParameter(parameters, name);
        if (value && !value->empty()) {
            haveOne = true;
        } else {
            missing += missing.empty() ? name : std::string(", ") + name;
        }
    }
    if (!haveOne) return {};  // no OAuth attempt at all
    if (!missing.empty()) {
        const bool several = missing.find(',') != std::string::npos;
        return {false, restError("woocommerce_rest_authentication_missing_parameter",
                                 std::string(several ? "Missing OAuth parameters "
                                                     : "Missing OAuth parameter ") +
                                     missing,
                                 401)};
    }

    if (!sameText(*findParameter(parameters, "oauth_consumer_key"), options_.consumerKey)) {
        return refused("Consumer key is invalid.");
    }
    if (*findParameter(parameters, "oauth_signature_method") != "HMAC-SHA1") {
        return refused("Invalid signature - signature method is invalid.");
    }

    std::string providedSignature;
    Parameters signedParameters;
    for (const auto& [name, value] : parameters) {
        if (name == "oauth_signature") {
            providedSignature = value;
        } else {
            signedParameters.emplace_back(name, value);
        }
    }
    // urldecode turned the signature's "+" into blanks; the shop puts them back.
    for (char& c : providedSignature) {
        if (c == ' ') c = '+';
    }
    const std::string expected =
        oauthSignature(request.method, request.url, signedParameters, options_.consumerSecret);
    if (!sameText(expected, decodeUrl(providedSignature, false))) {
        return refused("Invalid signature - provided signature does not match.");
    }

    const long long now =
        std::chrono::duration_cast<std::chrono::seconds>(options_.clock().time_since_epoch())
            .count();
    const auto timestamp = wholeNumber(*findParameter(parameters, "oauth_timestamp"));
    if (!timestamp || *timestamp < now - kTimestampWindowSeconds ||
        *timestamp > now + kTimestampWindowSeconds) {
        return refused("Invalid timestamp.");
    }
    if (!useNonce(*findParameter(parameters, "oauth_nonce"), *timestamp, now)) {
        return refused("Invalid nonce - nonce has already been used.");
    }
    return {true, std::nullopt};
}

bool ShopAuthenticator::useNonce(const std::string& nonce, long long timestamp, long long now) {
    std::lock_guard lock(mutex_);
    std::erase_if(usedNonces_,
                  [&](const auto& entry) { return entry.second < now - kTimestampWindowSeconds; });
    return usedNonces_.emplace(nonce, timestamp).second;
}

}  // namespace norvan::sampleshop
