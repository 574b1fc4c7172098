#pragma once

#include <string_view>

namespace norvan::sampleshop {

// The text of seed.json, built into the library so tests need no path to it.
std::string_view defaultSeedText();

}  // namespace norvan::sampleshop
