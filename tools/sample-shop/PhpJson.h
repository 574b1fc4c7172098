#pragma once

#include <nlohmann/json.hpp>

#include <string>

namespace norvan::sampleshop {

// JSON text the way the shop's PHP writes it: compact, non-ASCII as \uXXXX escapes (surrogate
// pairs beyond the BMP) and "/" as "\/".
std::string phpJsonText(const nlohmann::ordered_json& value);

}  // namespace norvan::sampleshop
