#pragma once

#include "BodyFields.h"

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

namespace norvan::sampleshop {

// The statuses an order may have, in the shop's order.
const std::vector<std::string>& orderStatuses();

// The order schema of the shop: which members a PUT may set and their types.
FieldCheck checkOrderFields(const nlohmann::ordered_json& body);

// Applies checked members and what the shop records on a status change: the completion date
// when an order becomes completed, the payment date when it is first paid. `now` becomes the
// modification date.
void applyOrderFields(nlohmann::ordered_json& order, const nlohmann::ordered_json& values,
                      const std::string& now);

}  // namespace norvan::sampleshop
