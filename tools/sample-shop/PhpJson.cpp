#include "PhpJson.h"

namespace norvan::sampleshop {

std::string phpJsonText(const nlohmann::ordered_json& value) {
    const std::string ascii =
        value.dump(-1, ' ', true, nlohmann::ordered_json::error_handler_t::replace);
    // A "/" can only stand inside a string in JSON text, so every one of them gets its backslash.
    std::string text;
    text.reserve(ascii.size());
    for (const char c : ascii) {
        if (c == '/') text += '\\';
        text += c;
    }
    return text;
}

}  // namespace norvan::sampleshop
