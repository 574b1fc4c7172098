#include "QueryString.h"

namespace norvan::sampleshop {

namespace {

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

std::string decodeUrl(std::string_view text, bool plusAsBlank) {
    std::string decoded;
    decoded.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '%' && i + 2 < text.size() && hexValue(text[i + 1]) >= 0 &&
            hexValue(text[i + 2]) >= 0) {
            decoded += static_cast<char>(hexValue(text[i + 1]) * 16 + hexValue(text[i + 2]));
            i += 2;
        } else if (c == '+' && plusAsBlank) {
            decoded += ' ';
        } else {
            decoded += c;
        }
    }
    return decoded;
}

Parameters parseQuery(std::string_view query) {
    Parameters parameters;
    while (!query.empty()) {
        const std::size_t end = query.find('&');
        const std::string_view piece = query.substr(0, end);
        query = end == std::string_view::npos ? std::string_view{} : query.substr(end + 1);

        const std::size_t equals = piece.find('=');
        std::string name = decodeUrl(piece.substr(0, equals), true);
        if (name.empty()) continue;
        std::string value =
            equals == std::string_view::npos ? "" : decodeUrl(piece.substr(equals + 1), true);
        parameters.emplace_back(std::move(name), std::move(value));
    }
    return parameters;
}

const std::string* findParameter(const Parameters& parameters, std::string_view name) {
    for (auto it = parameters.rbegin(); it != parameters.rend(); ++it) {
        if (it->first == name) return &it->second;
    }
    return nullptr;
}

}  // namespace norvan::sampleshop
