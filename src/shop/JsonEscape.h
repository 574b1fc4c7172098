#pragma once

#include <string>
#include <string_view>

namespace norvan::shop {

// Appends a JSON name or string value between double quotes, escaped the shop client's way:
// quote, backslash, "/", backspace, tab, line feed, form feed and carriage return are escaped;
// every other byte, other control characters and UTF-8 sequences included, is copied raw.
void appendJsonString(std::string& out, std::string_view utf8);

// The escape of one of those bytes ("\\/" for "/"), or nullptr for a byte written as it is.
const char* jsonEscapeOf(char c);

}  // namespace norvan::shop
