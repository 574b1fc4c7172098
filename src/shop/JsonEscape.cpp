#include "JsonEscape.h"

namespace norvan::shop {

const char* jsonEscapeOf(char c) {
    switch (c) {
        case '"':
            return "\\\"";
        case '\\':
            return "\\\\";
        case '/':
            return "\\/";
        case '\b':
            return "\\b";
        case '\t':
            return "\\t";
        case '\n':
            return "\\n";
        case '\f':
            return "\\f";
        case '\r':
            return "\\r";
        default:
            return nullptr;
    }
}

void appendJsonString(std::string& out, std::string_view utf8) {
    out += '"';
    std::size_t runStart = 0;  // plain bytes are copied a run at a time
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        if (const char* escape = jsonEscapeOf(utf8[i])) {
            out.append(utf8.substr(runStart, i - runStart));
            out += escape;
            runStart = i + 1;
        }
    }
    out.append(utf8.substr(runStart));
    out += '"';
}

}  // namespace norvan::shop
