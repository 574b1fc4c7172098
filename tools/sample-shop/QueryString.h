#pragma once

#include "OAuthSignature.h"

#include <string>
#include <string_view>

namespace norvan::sampleshop {

// The query of a request target as PHP reads it: split at "&", name and value at the first "=",
// "%XX" decoded and "+" read as a blank. Pieces with an empty name are dropped.
Parameters parseQuery(std::string_view query);

// Decodes "%XX" sequences; with plusAsBlank also "+" as " ". A "%" without two hex digits stays.
std::string decodeUrl(std::string_view text, bool plusAsBlank);

// Value of a parameter (the last one, as PHP keeps it), or nullptr.
const std::string* findParameter(const Parameters& parameters, std::string_view name);

}  // namespace norvan::sampleshop
