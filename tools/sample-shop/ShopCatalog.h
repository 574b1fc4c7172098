#pragma once

#include <nlohmann/json.hpp>

#include <functional>
#include <map>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

namespace norvan::sampleshop {

enum class Resource { Products, Orders };

// The shop's products and orders by id. Products and orders share one id sequence, as posts do
// in WordPress.
class ShopCatalog {
  public:
    explicit ShopCatalog(const nlohmann::ordered_json& seed);

    const nlohmann::ordered_json* find(Resource resource, long long id) const;
    // Changes a stored object through edit; a product is filed again under its SKU. Stored
    // objects change only here, so the index of SKUs stays in step.
    void change(Resource resource, long long id,
                const std::function<void(nlohmann::ordered_json&)>& edit);
    // In the shop's list order: products by date created, newest first, then by id; orders by
    // date created, newest first, then by id descending.
    std::vector<const nlohmann::ordered_json*> list(Resource resource) const;
    // The products whose SKU equals one of skus, letter case of A-Z ignored, in list order.
    // Found through an index, so a lookup costs the same in a catalogue of any size.
    std::vector<const nlohmann::ordered_json*> productsWithSku(
        const std::vector<std::string>& skus) const;
    // Keeps the object's "id" when it has a positive one, else gives it the next free id.
    const nlohmann::ordered_json& add(Resource resource, nlohmann::ordered_json object);
    // Deletes the object, if there is one with the id.
    void remove(Resource resource, long long id);

  private:
    std::map<long long, nlohmann::ordered_json>& objects(Resource resource);
    const std::map<long long, nlohmann::ordered_json>& objects(Resource resource) const;
    void indexSku(long long id);
    void unindexSku(long long id);

    std::map<long long, nlohmann::ordered_json> products_;
    std::map<long long, nlohmann::ordered_json> orders_;
    long long lastId_ = 0;
    // Product ids by SKU in lower case, and the key each id is filed under.
    std::unordered_map<std::string, std::set<long long>> idsBySku_;
    std::unordered_map<long long, std::string> skuKeyOfId_;
};

}  // namespace norvan::sampleshop
