#pragma once

#include <nlohmann/json.hpp>

#include <QStringList>

namespace norvan::bench {

// The 15 plain fields of every line item of largeOrder, in the order the shop sends them.
extern const QStringList kLineItemFields;

// An order (id 727) as the shop sends it, with the given number of line items of 15 fields and a
// meta data entry each: about 500 bytes of JSON per item.
nlohmann::ordered_json largeOrder(int itemCount);

}  // namespace norvan::bench
