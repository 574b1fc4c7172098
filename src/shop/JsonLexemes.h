#pragma once

#include <array>
#include <cstddef>

namespace norvan::shop {

// The pieces of JSON text that the readers of an answer check byte by byte: the characters of a
// string (raw UTF-8 sequences and "\u" escapes) and numbers. Inline, as most of an answer's text
// passes through them: the Persian text of a shop's answer comes as "\uXXXX".

struct JsonCharacter {
    std::ptrdiff_t length = 0;  // the bytes it takes; 0 when they are not a character
    char32_t code = 0;
};

inline constexpr auto kHexDigitValues = [] {
    std::array<int, 256> values{};
    values.fill(-1);
    const auto digits = [&values](char first, char last, int value) {
        for (char c = first; c <= last; ++c) values[static_cast<unsigned char>(c)] = value++;
    };
    digits('0', '9', 0);
    digits('a', 'f', 10);
    digits('A', 'F', 10);
    return values;
}();

// The well-formed UTF-8 sequence at p: no overlong forms, no surrogates, at most U+10FFFF.
inline JsonCharacter utf8CharacterAt(const char* p, const char* end) {
    const auto byte = [p](std::ptrdiff_t i) { return static_cast<unsigned char>(p[i]); };
    const unsigned char lead = byte(0);
    std::ptrdiff_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return {};
    }
    if (end - p < length || byte(1) < low || byte(1) > high) return {};
    char32_t code = lead & (0xFF >> (length + 1));
    for (std::ptrdiff_t i = 1; i < length; ++i) {
        if (byte(i) < 0x80 || byte(i) > 0xBF) return {};
        code = (code << 6) | (byte(i) & 0x3F);
    }
    return {length, code};
}

// The character of the "\u" escape whose four hexadecimal digits start at p. A high surrogate
// stands for a character only with the escape of a low one after it: ten bytes in all.
inline JsonCharacter escapedCharacterAt(const char* p, const char* end) {
    const auto unitAt = [end](const char* digits) {
        if (end - digits < 4) return -1;
        int value = 0;
        for (int i = 0; i < 4; ++i) {
            const int digit = kHexDigitValues[static_cast<unsigned char>(digits[i])];
            if (digit < 0) return -1;
            value = value * 16 + digit;
        }
        return value;
    };
    const int first = unitAt(p);
    if (first < 0 || (first >= 0xDC00 && first <= 0xDFFF)) return {};
    if (first < 0xD800 || first > 0xDBFF) return {4, static_cast<char32_t>(first)};
    if (end - p < 6 || p[4] != '\\' || p[5] != 'u') return {};
    const int second = unitAt(p + 6);
    if (second < 0xDC00 || second > 0xDFFF) return {};
    return {10, 0x10000 + ((static_cast<char32_t>(first) - 0xD800) << 10) +
                    (static_cast<char32_t>(second) - 0xDC00)};
}

// Where the number that starts at p ends, or nullptr where no number starts:
// -?(0|[1-9][0-9]*)(.[0-9]+)?([eE][+-]?[0-9]+)?
inline const char* jsonNumberEnd(const char* p, const char* end) {
    const auto at = [&p, end](char c) { return p != end && *p == c; };
    const auto digits = [&p, end] {
        const char* first = p;
        while (p != end && *p >= '0' && *p <= '9') ++p;
        return p != first;
    };
    if (at('-')) ++p;
    if (at('0')) {
        ++p;
    } else if (!digits()) {
        return nullptr;
    }
    if (at('.')) {
        ++p;
        if (!digits()) return nullptr;
    }
    if (at('e') || at('E')) {
        ++p;
        if (at('+') || at('-')) ++p;
        if (!digits()) return nullptr;
    }
    return p;
}

}  // namespace norvan::shop
