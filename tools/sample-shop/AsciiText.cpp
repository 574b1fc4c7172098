#include "AsciiText.h"

#include <algorithm>

namespace norvan::sampleshop {

std::string lowerAscii(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    });
    return text;
}

std::vector<std::string> splitText(std::string_view text, std::string_view separators,
                                   bool keepEmpty) {
    std::vector<std::string> pieces;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find_first_of(separators, start);
        const std::string_view piece = text.substr(start, end - start);
        if (keepEmpty || !piece.empty()) pieces.emplace_back(piece);
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    return pieces;
}

}  // namespace norvan::sampleshop
