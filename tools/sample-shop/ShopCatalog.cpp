#include "ShopCatalog.h"

#include "BodyFields.h"

#include <algorithm>
#include <stdexcept>

namespace norvan::sampleshop {

ShopCatalog::ShopCatalog(const nlohmann::ordered_json& seed) {
    if (!seed.is_object()) throw std::runtime_error("the shop's seed is not a JSON object");
    for (const auto& [member, resource] :
         {std::pair{"products", Resource::Products}, std::pair{"orders", Resource::Orders}}) {
        const auto it = seed.find(member);
        if (it == seed.end()) continue;
        if (!it->is_array()) {
            throw std::runtime_error(std::string("the seed's \"") + member + "\" is not an array");
        }
        for (const auto& object : *it) add(resource, object);
    }
}

std::map<long long, nlohmann::ordered_json>& ShopCatalog::objects(Resource resource) {
    return resource == Resource::Products ? products_ : orders_;
}

const std::map<long long, nlohmann::ordered_json>& ShopCatalog::objects(Resource resource) const {
    return resource == Resource::Products ? products_ : orders_;
}

const nlohmann::ordered_json* ShopCatalog::find(Resource resource, long long id) const {
    const auto& map = objects(resource);
    const auto it = map.find(id);
    return it == map.end() ? nullptr : &it->second;
}

nlohmann::ordered_json* ShopCatalog::find(Resource resource, long long id) {
    auto& map = objects(resource);
    const auto it = map.find(id);
    return it == map.end() ? nullptr : &it->second;
}

std::vector<const nlohmann::ordered_json*> ShopCatalog::list(Resource resource) const {
    std::vector<std::pair<long long, const nlohmann::ordered_json*>> entries;
    for (const auto& [id, object] : objects(resource)) entries.emplace_back(id, &object);
    const bool idsDescending = resource == Resource::Orders;
    std::stable_sort(entries.begin(), entries.end(), [&](const auto& a, const auto& b) {
        const std::string dateA = textMember(*a.second, "date_created");
        const std::string dateB = textMember(*b.second, "date_created");
        if (dateA != dateB) return dateA > dateB;
        return idsDescending ? a.first > b.first : a.first < b.first;
    });
    std::vector<const nlohmann::ordered_json*> list;
    for (const auto& entry : entries) list.push_back(entry.second);
    return list;
}

const nlohmann::ordered_json& ShopCatalog::add(Resource resource, nlohmann::ordered_json object) {
    if (!object.is_object()) throw std::runtime_error("a shop object is not a JSON object");
    long long id = 0;
    if (const auto it = object.find("id"); it != object.end() && it->is_number_integer()) {
        id = it->get<long long>();
    }
    if (id <= 0) {
        id = lastId_ + 1;
        // "id" comes first, as in the shop's answers.
        nlohmann::ordered_json withId = {{"id", id}};
        for (auto& [name, value] : object.items()) {
            if (name != "id") withId[name] = std::move(value);
        }
        object = std::move(withId);
    }
    lastId_ = std::max(lastId_, id);
    auto& stored = objects(resource)[id];
    stored = std::move(object);
    return stored;
}

}  // namespace norvan::sampleshop
