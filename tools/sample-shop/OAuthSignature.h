#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace norvan::sampleshop {

using Parameters = std::vector<std::pair<std::string, std::string>>;

// RFC 3986 percent-encoding: every byte but A-Z a-z 0-9 "-" "." "_" "~" as "%" and two upper-case
// hex digits.
std::string percentEncode(std::string_view text);

// The OAuth 1.0a HMAC-SHA1 signature as the shop computes it (RFC 5849): `url` is
// scheme://host:port/path without the query, `parameters` are the decoded query parameters and the
// oauth_* parameters but oauth_signature. The key is the secret, not encoded, followed by "&".
std::string oauthSignature(std::string_view method, std::string_view url,
                           const Parameters& parameters, std::string_view consumerSecret);

}  // namespace norvan::sampleshop
