#include "LargeOrder.h"

#include <string>

namespace norvan::bench {

const QStringList kLineItemFields = {"id",          "name",
                                     "product_id",  "variation_id",
                                     "quantity",    "tax_class",
                                     "subtotal",    "subtotal_tax",
                                     "total",       "total_tax",
                                     "sku",         "price",
                                     "parent_name", "global_unique_id",
                                     "note"};

nlohmann::ordered_json largeOrder(int itemCount) {
    nlohmann::ordered_json order = {{"id", 727},
                                    {"status", "processing"},
                                    {"total", "4060000"},
                                    {"billing",
                                     {{"first_name", "\u0645\u0631\u06CC\u0645"},
                                      {"address_1", "\u0628\u0644\u0648\u0627\u0631 \u06F1\u06F2"},
                                      {"city", "\u0645\u0634\u0647\u062F"}}},
                                    {"customer_note", ""}};
    nlohmann::ordered_json items = nlohmann::ordered_json::array();
    for (int i = 0; i < itemCount; ++i) {
        items.push_back({{"id", 1000 + i},
                         {"name", "\u0632\u0639\u0641\u0631\u0627\u0646 \u06F4\u066B\u06F6"},
                         {"product_id", 12},
                         {"variation_id", 0},
                         {"quantity", 1 + i % 5},
                         {"tax_class", ""},
                         {"subtotal", "1850000"},
                         {"subtotal_tax", "0"},
                         {"total", "1850000"},
                         {"total_tax", "0"},
                         {"sku", "B-" + std::to_string(i)},
                         {"price", 1850000.5},
                         {"parent_name", "x"},
                         {"global_unique_id", ""},
                         {"note", "line\nbreak"},
                         {"meta_data", {{{"id", i}, {"key", "_reduced_stock"}, {"value", "1"}}}}});
    }
    order["line_items"] = std::move(items);
    return order;
}

}  // namespace norvan::bench
