#pragma once

#include "common/NameValueList.h"

#include <nlohmann/json.hpp>

#include <QStringList>
#include <vector>

namespace norvan::bench {

// The product lines of a round: `count` lines over the `productCount` products of the catalogue,
// cycled, so that the lookups of a batch list a hundred real products whatever the count.
struct BenchProducts {
    QStringList lines;
    std::vector<common::NameValueList> rows;  // each line as LoadingProds reads it
    std::vector<int> ids;                     // the id of each line's product in the catalogue
};

BenchProducts benchProducts(int count, int productCount);

// The shop's catalogue: `productCount` copies of its first seed product, each with an id (1, 2, …),
// SKU (P-1, P-2, …) and slug of its own, so every answer has the size of a real one (about
// 1.9 KB a product).
nlohmann::ordered_json benchCatalogue(int productCount);

}  // namespace norvan::bench
