#pragma once

#include "BodyFields.h"

#include <nlohmann/json.hpp>

#include <string>

namespace norvan::sampleshop {

// The product schema of the shop: which members a PUT or POST may set and their types.
FieldCheck checkProductFields(const nlohmann::ordered_json& body);

// The members of a products/batch item as the shop stores them: batch items skip the schema
// check, so a value the check would refuse is cast as PHP casts it, a number to its text where a
// string is expected, and stored as none where no cast helps ("abc" as a stock quantity).
nlohmann::ordered_json uncheckedProductFields(const nlohmann::ordered_json& item);

// A new product with every member the shop answers, before the body's members are applied.
nlohmann::ordered_json productTemplate(const std::string& now);

// Applies checked members and then derives what the shop derives on saving: the price from the
// regular and sale price (a variable product keeps no prices of its own: those members are
// ignored, and its price is its variations' lowest), and with managed stock a quantity (none counts
// as 0) and the stock status; without managed stock no quantity and the status left as it is. `now`
// becomes the modification date.
void applyProductFields(nlohmann::ordered_json& product, const nlohmann::ordered_json& values,
                        const std::string& now);

// The product's slug from its name: lower-case, blanks as "-", non-ASCII bytes as %xx.
std::string productSlug(const std::string& name);

}  // namespace norvan::sampleshop
