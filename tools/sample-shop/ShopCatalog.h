#pragma once

#include <nlohmann/json.hpp>

#include <map>
#include <vector>

namespace norvan::sampleshop {

enum class Resource { Products, Orders };

// The shop's products and orders by id. Products and orders share one id sequence, as posts do
// in WordPress.
class ShopCatalog {
  public:
    explicit ShopCatalog(const nlohmann::ordered_json& seed);

    const nlohmann::ordered_json* find(Resource resource, long long id) const;
    nlohmann::ordered_json* find(Resource resource, long long id);
    // In the shop's list order: products by date created, newest first, then by id; orders by
    // date created, newest first, then by id descending.
    std::vector<const nlohmann::ordered_json*> list(Resource resource) const;
    // Keeps the object's "id" when it has a positive one, else gives it the next free id.
    const nlohmann::ordered_json& add(Resource resource, nlohmann::ordered_json object);

  private:
    std::map<long long, nlohmann::ordered_json>& objects(Resource resource);
    const std::map<long long, nlohmann::ordered_json>& objects(Resource resource) const;

    std::map<long long, nlohmann::ordered_json> products_;
    std::map<long long, nlohmann::ordered_json> orders_;
    long long lastId_ = 0;
};

}  // namespace norvan::sampleshop
