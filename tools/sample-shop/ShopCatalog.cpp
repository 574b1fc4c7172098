#include "ShopCatalog.h"

#include "AsciiText.h"
#include "BodyFields.h"

#include <algorithm>
#include <stdexcept>

namespace norvan::sampleshop {

namespace {

// Whether a comes before b in the shop's lists.
bool listedBefore(Resource resource, long long idA, const nlohmann::ordered_json& a, long long idB,
                  const nlohmann::ordered_json& b) {
    const std::string dateA = textMember(a, "date_created");
    const std::string dateB = textMember(b, "date_created");
    if (dateA != dateB) return dateA > dateB;
    return resource == Resource::Orders ? idA > idB : idA < idB;
}

}  // namespace

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

void ShopCatalog::change(Resource resource, long long id,
                         const std::function<void(nlohmann::ordered_json&)>& edit) {
    edit(objects(resource).at(id));
    if (resource == Resource::Products) indexSku(id);
}

std::vector<const nlohmann::ordered_json*> ShopCatalog::list(Resource resource) const {
    std::vector<std::pair<long long, const nlohmann::ordered_json*>> entries;
    for (const auto& [id, object] : objects(resource)) entries.emplace_back(id, &object);
    std::sort(entries.begin(), entries.end(), [&](const auto& a, const auto& b) {
        return listedBefore(resource, a.first, *a.second, b.first, *b.second);
    });
    std::vector<const nlohmann::ordered_json*> list;
    for (const auto& entry : entries) list.push_back(entry.second);
    return list;
}

std::vector<const nlohmann::ordered_json*> ShopCatalog::productsWithSku(
    const std::vector<std::string>& skus) const {
    std::set<long long> ids;
    for (const std::string& sku : skus) {
        const auto filed = idsBySku_.find(lowerAscii(sku));
        if (filed != idsBySku_.end()) ids.insert(filed->second.begin(), filed->second.end());
    }
    std::vector<long long> found(ids.begin(), ids.end());
    std::sort(found.begin(), found.end(), [&](long long a, long long b) {
        return listedBefore(Resource::Products, a, products_.at(a), b, products_.at(b));
    });
    std::vector<const nlohmann::ordered_json*> products;
    for (const long long id : found) products.push_back(&products_.at(id));
    return products;
}

// Files the product under its SKU as it is now, taking it out from under the one before.
void ShopCatalog::indexSku(long long id) {
    const std::string key = lowerAscii(textMember(products_.at(id), "sku"));
    const auto filed = skuKeyOfId_.find(id);
    if (filed != skuKeyOfId_.end() && filed->second == key) return;
    unindexSku(id);
    idsBySku_[key].insert(id);
    skuKeyOfId_[id] = key;
}

void ShopCatalog::unindexSku(long long id) {
    const auto filed = skuKeyOfId_.find(id);
    if (filed == skuKeyOfId_.end()) return;
    const auto ids = idsBySku_.find(filed->second);
    ids->second.erase(id);
    if (ids->second.empty()) idsBySku_.erase(ids);
    skuKeyOfId_.erase(filed);
}

void ShopCatalog::remove(Resource resource, long long id) {
    if (resource == Resource::Products) unindexSku(id);
    objects(resource).erase(id);
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
    if (resource == Resource::Products) indexSku(id);
    return stored;
}

}  // namespace norvan::sampleshop
