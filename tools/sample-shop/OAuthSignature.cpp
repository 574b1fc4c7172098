#include "OAuthSignature.h"

#include <openssl/evp.h>
#include <openssl/hmac.h>

#include <algorithm>

namespace norvan::sampleshop {

std::string percentEncode(std::string_view text) {
    static constexpr char hex[] = "0123456789ABCDEF";
    std::string encoded;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        const bool unreserved = (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
                                (byte >= '0' && byte <= '9') || byte == '-' || byte == '.' ||
                                byte == '_' || byte == '~';
        if (unreserved) {
            encoded += c;
        } else {
            encoded += '%';
            encoded += hex[byte >> 4];
            encoded += hex[byte & 0x0F];
        }
    }
    return encoded;
}

std::string oauthSignature(std::string_view method, std::string_view url,
                           const Parameters& parameters, std::string_view consumerSecret) {
    Parameters encoded;
    for (const auto& [name, value] : parameters) {
        encoded.emplace_back(percentEncode(name), percentEncode(value));
    }
    std::sort(encoded.begin(), encoded.end());  // byte-wise by name, then value

    std::string normalized;
    for (const auto& [name, value] : encoded) {
        if (!normalized.empty()) normalized += '&';
        normalized += name + '=' + value;
    }
    const std::string baseString =
        std::string(method) + '&' + percentEncode(url) + '&' + percentEncode(normalized);
    const std::string key = std::string(consumerSecret) + '&';

    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int digestLength = 0;
    HMAC(EVP_sha1(), key.data(), static_cast<int>(key.size()),
         reinterpret_cast<const unsigned char*>(baseString.data()), baseString.size(), digest,
         &digestLength);

    std::string base64(4 * ((digestLength + 2) / 3) + 1, '\0');
    const int written = EVP_EncodeBlock(reinterpret_cast<unsigned char*>(base64.data()), digest,
                                        static_cast<int>(digestLength));
    base64.resize(static_cast<std::size_t>(written));
    return base64;
}

}  // namespace norvan::sampleshop
