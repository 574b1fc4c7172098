#pragma once

#include <QString>

namespace norvan::orders::test {

// The worked example order: scalars, a boolean, a null, an object, an empty array and two line
// items, the first with meta data.
inline const QString kWorkedExampleOrder = QStringLiteral(R"({
  "id": 727,
  "status": "processing",
  "total": "29.35",
  "prices_include_tax": false,
  "date_paid": null,
  "billing": {"first_name": "Sara", "city": "Shiraz"},
  "meta_data": [],
  "line_items": [
    {"id": 315, "name": "Cup", "quantity": 2, "price": 3.5,
     "meta_data": [{"id": 1, "key": "color", "value": "red"}]},
    {"id": 316, "name": "Tray", "quantity": 1, "price": 10}
  ]
})");

}  // namespace norvan::orders::test
