#include "BenchProducts.h"

#include "products/ProductRows.h"
#include "sample-shop/SampleShop.h"

#include <string>

namespace norvan::bench {

namespace {

// Line n of the file for product p: every tenth line has an untracked stock, every third a sale
// price.
QString productLine(int line, int product) {
    return QStringLiteral("P-%1;%2;1;0.5;%3;%4;%5;Item")
        .arg(product)
        .arg(line % 97)
        .arg(1000 + line)
        .arg(line % 3 == 0 ? QString::number(900 + line) : QString())
        .arg(line % 10 == 0 ? QStringLiteral("1") : QStringLiteral("0"));
}

}  // namespace

BenchProducts benchProducts(int count, int productCount) {
    BenchProducts file;
    file.rows.resize(static_cast<size_t>(count));
    for (int line = 1; line <= count; ++line) {
        const int product = (line - 1) % productCount + 1;
        file.lines.append(productLine(line, product));
        products::LoadingProds(file.lines.last(), file.rows[static_cast<size_t>(line - 1)]);
        file.ids.push_back(product);
    }
    return file;
}

nlohmann::ordered_json benchCatalogue(int productCount) {
    const nlohmann::ordered_json model = sampleshop::SampleShop::defaultSeed()["products"][0];
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (int number = 1; number <= productCount; ++number) {
        nlohmann::ordered_json product = model;
        product["id"] = number;
        product["sku"] = "P-" + std::to_string(number);
        product["slug"] = "p-" + std::to_string(number);
        list.push_back(std::move(product));
    }
    return {{"products", list}, {"orders", nlohmann::ordered_json::array()}};
}

}  // namespace norvan::bench
