#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace norvan::sampleshop {

// Lower case for A-Z only; other bytes (UTF-8 included) stay as they are.
std::string lowerAscii(std::string text);

// The pieces between any of the separator characters; empty pieces kept only when asked.
std::vector<std::string> splitText(std::string_view text, std::string_view separators,
                                   bool keepEmpty);

}  // namespace norvan::sampleshop
