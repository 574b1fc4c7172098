#include "ShopRoutes.h"

#include "AsciiText.h"
#include "OrderFields.h"
#include "ProductFields.h"
#include "QueryString.h"

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <limits>
#include <optional>
#include <regex>
#include <variant>

namespace norvan::sampleshop {

namespace {

const std::string kNamespacePath = "/wp-json/wc/v3";
const std::string kCollectionMethods = "GET, POST";
const std::string kItemMethods = "GET, POST, PUT, PATCH, DELETE";
const std::string kBatchMethods = "POST, PUT, PATCH";
constexpr int kMaxPerPage = 100;
constexpr std::size_t kMaxBatchItems = 100;

struct Route {
    enum class Kind { Index, Collection, Item, ProductBatch, Variation, VariationBatch } kind;
    Resource resource = Resource::Products;
    long long id = 0;
    long long parentId = 0;  // of a variation's product
};

// WordPress matches routes on the path without its trailing slashes.
std::optional<Route> matchRoute(const std::string& path) {
    if (path.rfind(kNamespacePath, 0) != 0) return std::nullopt;
    std::string rest = path.substr(kNamespacePath.size());
    while (!rest.empty() && rest.back() == '/') rest.pop_back();
    if (rest.empty()) return Route{Route::Kind::Index};
    if (rest == "/products/batch") return Route{Route::Kind::ProductBatch};

    static const std::regex variations(R"(/products/(\d{1,18})/variations/(batch|\d{1,18}))");
    std::smatch match;
    if (std::regex_match(rest, match, variations)) {
        const long long parentId = std::stoll(match[1].str());
        if (match[2] == "batch")
            return Route{Route::Kind::VariationBatch, Resource::Products, 0, parentId};
        return Route{Route::Kind::Variation, Resource::Products, std::stoll(match[2].str()),
                     parentId};
    }

    static const std::regex pattern(R"(/(products|orders)(?:/(\d{1,18}))?)");
    if (!std::regex_match(rest, match, pattern)) return std::nullopt;
    const Resource resource = match[1] == "products" ? Resource::Products : Resource::Orders;
    if (!match[2].matched) return Route{Route::Kind::Collection, resource};
    return Route{Route::Kind::Item, resource, std::stoll(match[2].str())};
}

std::string resourceName(Resource resource) {
    return resource == Resource::Products ? "products" : "orders";
}

RestAnswer noRoute() {
    return restError("rest_no_route", "No route was found matching the URL and request method.",
                     404);
}

RestAnswer invalidId(Resource resource, int status) {
    return restError(resource == Resource::Products ? "woocommerce_rest_product_invalid_id"
                                                    : "woocommerce_rest_shop_order_invalid_id",
                     "Invalid ID.", status);
}

RestAnswer invalidVariationId(int status) {
    return restError("woocommerce_rest_product_variation_invalid_id", "Invalid ID.", status);
}

bool isVariation(const nlohmann::ordered_json& product) {
    return textMember(product, "type") == "variation";
}

// The members a variation's own routes answer with, in their order.
const std::vector<std::string>& variationMembers() {
    static const std::vector<std::string> members = {"id",
                                                     "date_created",
                                                     "date_created_gmt",
                                                     "date_modified",
                                                     "date_modified_gmt",
                                                     "description",
                                                     "permalink",
                                                     "sku",
                                                     "price",
                                                     "regular_price",
                                                     "sale_price",
                                                     "date_on_sale_from",
                                                     "date_on_sale_from_gmt",
                                                     "date_on_sale_to",
                                                     "date_on_sale_to_gmt",
                                                     "on_sale",
                                                     "status",
                                                     "purchasable",
                                                     "virtual",
                                                     "downloadable",
                                                     "downloads",
                                                     "download_limit",
                                                     "download_expiry",
                                                     "tax_status",
                                                     "tax_class",
                                                     "manage_stock",
                                                     "stock_quantity",
                                                     "stock_status",
                                                     "backorders",
                                                     "backorders_allowed",
                                                     "backordered",
                                                     "low_stock_amount",
                                                     "weight",
                                                     "dimensions",
                                                     "shipping_class",
                                                     "shipping_class_id",
                                                     "image",
                                                     "attributes",
                                                     "menu_order",
                                                     "meta_data"};
    return members;
}

bool isJsonContentType(const std::string& contentType) {
    std::string type = lowerAscii(contentType.substr(0, contentType.find(';')));
    type.erase(0, type.find_first_not_of(" \t"));
    type.erase(type.find_last_not_of(" \t") + 1);
    return type == "application/json" || (type.rfind("application/", 0) == 0 && type.size() > 5 &&
                                          type.compare(type.size() - 5, 5, "+json") == 0);
}

// The members of a JSON body; an error answer when the body is not JSON. A body of another
// content type carries no members, as WordPress reads only JSON bodies as JSON.
std::variant<nlohmann::ordered_json, RestAnswer> bodyMembers(const RestCall& call) {
    if (call.body.empty() || !isJsonContentType(call.contentType)) {
        return nlohmann::ordered_json::object();
    }
    try {
        auto body = nlohmann::ordered_json::parse(call.body);
        return body.is_object() ? body : nlohmann::ordered_json::object();
    } catch (const nlohmann::ordered_json::parse_error& error) {
        const bool badUtf8 = std::string(error.what()).find("UTF-8") != std::string::npos;
        return restError("rest_invalid_json", "Invalid JSON body passed.", 400,
                         {{"json_error_code", badUtf8 ? 5 : 4},
                          {"json_error_message",
                           badUtf8 ? "Malformed UTF-8 characters, possibly incorrectly encoded"
                                   : "Syntax error"}});
    }
}

// A positive whole number of a list's query, or the parameter that failed.
std::optional<InvalidParameter> readCount(const Parameters& query, const std::string& name,
                                          int& count, int maximum) {
    const std::string* text = findParameter(query, name);
    if (!text) return std::nullopt;
    const auto check = checkFields({{name, *text}}, {{name, FieldType::Integer}});
    if (!check.invalid.empty()) return check.invalid.front();
    const long long value = check.values[name].get<long long>();
    if (value < 1 || value > maximum) {
        return InvalidParameter{name, "rest_out_of_bounds",
                                maximum == std::numeric_limits<int>::max()
                                    ? name + " must be greater than or equal to 1"
                                    : name + " must be between 1 (inclusive) and " +
                                          std::to_string(maximum) + " (inclusive)"};
    }
    count = static_cast<int>(value);
    return std::nullopt;
}

std::optional<InvalidParameter> readStatusFilter(const Parameters& query,
                                                 std::vector<std::string>& statuses) {
    const std::string* text = findParameter(query, "status");
    if (!text) return std::nullopt;
    std::vector<std::string> allowed = {"any", "trash"};
    allowed.insert(allowed.end(), orderStatuses().begin(), orderStatuses().end());
    // WordPress reads a list parameter as items separated by commas or blanks.
    statuses = splitText(*text, ", \t\r\n", false);
    for (std::size_t i = 0; i < statuses.size(); ++i) {
        if (std::find(allowed.begin(), allowed.end(), statuses[i]) == allowed.end()) {
            return InvalidParameter{"status", "rest_not_in_enum",
                                    notOneOfMessage("status[" + std::to_string(i) + "]", allowed)};
        }
    }
    return std::nullopt;
}

bool matchesStatus(const nlohmann::ordered_json& object, const std::vector<std::string>& wanted) {
    const std::string status = textMember(object, "status");
    if (wanted.empty() || std::find(wanted.begin(), wanted.end(), "any") != wanted.end()) {
        return status != "trash";
    }
    return std::find(wanted.begin(), wanted.end(), status) != wanted.end();
}

// The answer form of a stored object: its links (and a product's permalink) on this origin.
nlohmann::ordered_json presented(const nlohmann::ordered_json& object, Resource resource,
                                 const std::string& origin) {
    nlohmann::ordered_json copy = object;
    const std::string collection = origin + kNamespacePath + "/" + resourceName(resource);
    if (resource == Resource::Products && copy.contains("permalink")) {
        copy["permalink"] = origin + "/product/" + textMember(copy, "slug") + "/";
    }
    copy["_links"] = {
        {"self", {{{"href", collection + "/" + std::to_string(copy.value("id", 0LL))}}}},
        {"collection", {{{"href", collection}}}}};
    if (resource == Resource::Products && isVariation(copy)) {
        copy["_links"]["up"] = {
            {{"href", collection + "/" + std::to_string(copy.value("parent_id", 0LL))}}};
    }
    return copy;
}

// A variation as its own routes answer it: fewer members, and links below its product.
nlohmann::ordered_json presentedVariation(const nlohmann::ordered_json& variation,
                                          const std::string& origin) {
    nlohmann::ordered_json answer = nlohmann::ordered_json::object();
    for (const std::string& member : variationMembers()) {
        const auto value = variation.find(member);
        if (value != variation.end()) answer[member] = *value;
    }
    if (!answer.contains("image")) answer["image"] = nullptr;
    const std::string product =
        origin + kNamespacePath + "/products/" + std::to_string(variation.value("parent_id", 0LL));
    answer["_links"] = {
        {"self",
         {{{"href", product + "/variations/" + std::to_string(variation.value("id", 0LL))}}}},
        {"collection", {{{"href", product + "/variations"}}}},
        {"up", {{{"href", product}}}}};
    return answer;
}

RestAnswer withAllow(RestAnswer answer, const std::string& methods) {
    answer.headers.emplace_back("Allow", methods);
    return answer;
}

RestAnswer namespaceIndex(const std::string& origin) {
    nlohmann::ordered_json routes = nlohmann::ordered_json::object();
    for (const auto& [route, methods] :
         {std::pair{"", std::vector<std::string>{"GET"}},
          std::pair{"/products", std::vector<std::string>{"GET", "POST"}},
          std::pair{"/products/(?P<id>[\\d]+)",
                    std::vector<std::string>{"GET", "POST", "PUT", "PATCH"}},
          std::pair{"/products/batch", std::vector<std::string>{"POST", "PUT", "PATCH"}},
          std::pair{"/products/(?P<product_id>[\\d]+)/variations/(?P<id>[\\d]+)",
                    std::vector<std::string>{"GET", "POST", "PUT", "PATCH"}},
          std::pair{"/products/(?P<product_id>[\\d]+)/variations/batch",
                    std::vector<std::string>{"POST", "PUT", "PATCH"}},
          std::pair{"/orders", std::vector<std::string>{"GET"}},
          std::pair{"/orders/(?P<id>[\\d]+)",
                    std::vector<std::string>{"GET", "POST", "PUT", "PATCH"}}}) {
        routes[std::string("/wc/v3") + route] = {{"namespace", "wc/v3"}, {"methods", methods}};
    }
    return {200,
            {{"namespace", "wc/v3"},
             {"routes", routes},
             {"_links", {{"up", {{{"href", origin + "/wp-json/"}}}}}}},
            {}};
}

std::optional<RestAnswer> duplicateSku(const ShopCatalog& catalog, long long ownId,
                                       const nlohmann::ordered_json& values) {
    const std::string sku = textMember(values, "sku");
    if (sku.empty()) return std::nullopt;
    const auto taken = [&](const std::string& candidate) -> const nlohmann::ordered_json* {
        for (const auto* product : catalog.productsWithSku({candidate})) {
            if (product->value("id", 0LL) != ownId) return product;
        }
        return nullptr;
    };
    const auto* holder = taken(sku);
    if (!holder) return std::nullopt;
    std::string unique;
    for (int index = 1; unique.empty() || taken(unique); ++index) {
        unique = sku + "-" + std::to_string(index);
    }
    return restError("product_invalid_sku", "Invalid or duplicated SKU.", 400,
                     {{"resource_id", holder->value("id", 0LL)}, {"unique_sku", unique}});
}

// PHP's empty(): what a create item's "id" must be for the shop to create a product.
bool isEmptyValue(const nlohmann::ordered_json& value) {
    return value.is_null() || value == false || value == 0 || value == "" || value == "0";
}

// A batch item's place in the answer: the saved product, or the item's id with the error.
nlohmann::ordered_json batchEntry(const RestAnswer& answer, const nlohmann::ordered_json& id) {
    if (answer.status < 300) return answer.body;
    return {{"id", id}, {"error", answer.body}};
}

// The items of one list of a batch body ("create", "update", "delete").
const nlohmann::ordered_json& batchList(const nlohmann::ordered_json& body, const char* list) {
    static const nlohmann::ordered_json kNone = nlohmann::ordered_json::array();
    const auto it = body.find(list);
    return it != body.end() && it->is_array() ? *it : kNone;
}

// What every batch route checks first: the key's permission, then the number of items.
std::optional<RestAnswer> refusedBatch(const RestCall& call, const nlohmann::ordered_json& body) {
    if (!call.authenticated) {
        return restError("woocommerce_rest_cannot_batch",
                         "Sorry, you are not allowed to batch manipulate this resource.", 401);
    }
    if (batchList(body, "create").size() + batchList(body, "update").size() +
            batchList(body, "delete").size() >
        kMaxBatchItems) {
        return restError("woocommerce_rest_request_entity_too_large",
                         "Unable to accept more than " + std::to_string(kMaxBatchItems) +
                             " items for this request.",
                         413);
    }
    return std::nullopt;
}

// The entries of a batch's "update" list, each item saved by save(id, its members).
nlohmann::ordered_json updatedItems(
    const nlohmann::ordered_json& body,
    const std::function<RestAnswer(long long, const nlohmann::ordered_json&)>& save) {
    nlohmann::ordered_json entries = nlohmann::ordered_json::array();
    for (const auto& item : batchList(body, "update")) {
        const auto id = item.is_object() ? item.value("id", nlohmann::ordered_json())
                                         : nlohmann::ordered_json();
        const auto number = checkFields({{"id", id}}, {{"id", FieldType::Integer}});
        const long long itemId = number.invalid.empty() ? number.values["id"].get<long long>() : 0;
        entries.push_back(batchEntry(save(itemId, uncheckedProductFields(item)), id));
    }
    return entries;
}

}  // namespace

ShopRoutes::ShopRoutes(ShopCatalog& catalog, int perPage)
    : catalog_(catalog), perPage_(std::clamp(perPage, 1, kMaxPerPage)) {}

RestAnswer ShopRoutes::answer(const RestCall& call, const std::string& now) {
    const auto route = matchRoute(call.path);
    const bool read = call.method == "GET" || call.method == "HEAD";
    const bool edit = call.method == "PUT" || call.method == "PATCH" || call.method == "POST";
    if (!route) return noRoute();

    auto members = bodyMembers(call);
    if (auto* error = std::get_if<RestAnswer>(&members)) return *error;
    const auto& body = std::get<nlohmann::ordered_json>(members);

    switch (route->kind) {
        case Route::Kind::Index:
            return read ? namespaceIndex(call.origin) : noRoute();
        case Route::Kind::Collection:
            if (read) return withAllow(list(route->resource, call), kCollectionMethods);
            if (call.method == "POST" && route->resource == Resource::Products) {
                return withAllow(createProduct(call, body, now), kCollectionMethods);
            }
            return noRoute();
        case Route::Kind::Item:
            if (read) return withAllow(item(route->resource, route->id, call), kItemMethods);
            if (edit) {
                return withAllow(update(route->resource, route->id, call, body, now), kItemMethods);
            }
            return noRoute();
        case Route::Kind::ProductBatch:
            if (edit) return withAllow(batchProducts(call, body, now), kBatchMethods);
            return noRoute();
        case Route::Kind::Variation:
            if (read) {
                return withAllow(variation(route->parentId, route->id, call), kItemMethods);
            }
            if (edit) {
                return withAllow(updateVariation(route->parentId, route->id, call, body, now),
                                 kItemMethods);
            }
            return noRoute();
        case Route::Kind::VariationBatch:
            if (edit) {
                return withAllow(batchVariations(route->parentId, call, body, now), kBatchMethods);
            }
            return noRoute();
    }
    return noRoute();
}

RestAnswer ShopRoutes::list(Resource resource, const RestCall& call) {
    int perPage = perPage_;
    int page = 1;
    std::vector<std::string> statuses;
    std::vector<InvalidParameter> invalid;
    if (auto error = readCount(call.query, "per_page", perPage, kMaxPerPage)) {
        invalid.push_back(*error);
    }
    if (auto error = readCount(call.query, "page", page, std::numeric_limits<int>::max())) {
        invalid.push_back(*error);
    }
    if (auto error = readStatusFilter(call.query, statuses)) invalid.push_back(*error);
    if (!invalid.empty()) return invalidParameters(invalid);
    if (!call.authenticated) {
        return restError("woocommerce_rest_cannot_view", "Sorry, you cannot list resources.", 401);
    }

    // The shop ignores an empty sku (PHP's empty() holds for "" and "0").
    const std::string* sku = findParameter(call.query, "sku");
    std::vector<std::string> skus;
    if (resource == Resource::Products && sku && !sku->empty() && *sku != "0") {
        skus = splitText(*sku, ",", true);
        // A list also looks for the whole text, so a SKU that holds a comma is found too.
        if (skus.size() > 1) skus.push_back(*sku);
    }

    // A list shows products only; a search by SKU finds their variations too.
    std::vector<const nlohmann::ordered_json*> found;
    for (const auto* object :
         skus.empty() ? catalog_.list(resource) : catalog_.productsWithSku(skus)) {
        if (skus.empty() && resource == Resource::Products && isVariation(*object)) continue;
        if (matchesStatus(*object, statuses)) found.push_back(object);
    }

    const auto total = static_cast<long long>(found.size());
    const long long totalPages = (total + perPage - 1) / perPage;
    nlohmann::ordered_json items = nlohmann::ordered_json::array();
    const long long first = static_cast<long long>(page - 1) * perPage;
    for (long long i = first; i < total && i < first + perPage; ++i) {
        items.push_back(presented(*found[static_cast<std::size_t>(i)], resource, call.origin));
    }
    return {
        200,
        std::move(items),
        {{"X-WP-Total", std::to_string(total)}, {"X-WP-TotalPages", std::to_string(totalPages)}}};
}

RestAnswer ShopRoutes::item(Resource resource, long long id, const RestCall& call) {
    const auto* object = catalog_.find(resource, id);
    if (!object) return invalidId(resource, 404);
    if (!call.authenticated) {
        return restError("woocommerce_rest_cannot_view", "Sorry, you cannot view this resource.",
                         401);
    }
    return {200, presented(*object, resource, call.origin), {}};
}

RestAnswer ShopRoutes::update(Resource resource, long long id, const RestCall& call,
                              const nlohmann::ordered_json& body, const std::string& now) {
    const FieldCheck check =
        resource == Resource::Products ? checkProductFields(body) : checkOrderFields(body);
    if (!check.invalid.empty()) return invalidParameters(check.invalid);

    const auto* object = catalog_.find(resource, id);
    if (object && !call.authenticated) {
        return restError("woocommerce_rest_cannot_edit",
                         "Sorry, you are not allowed to edit this resource.", 401);
    }
    if (resource == Resource::Products) return saveProduct(id, check.values, call.origin, now);
    if (!object) return invalidId(resource, 400);
    catalog_.change(resource, id, [&](nlohmann::ordered_json& order) {
        applyOrderFields(order, check.values, now);
    });
    return {200, presented(*object, resource, call.origin), {}};
}

RestAnswer ShopRoutes::saveProduct(long long id, const nlohmann::ordered_json& values,
                                   const std::string& origin, const std::string& now) {
    const auto* product = catalog_.find(Resource::Products, id);
    if (!product) return invalidId(Resource::Products, 400);
    if (isVariation(*product)) {
        return restError("woocommerce_rest_invalid_product_id",
                         "To manipulate product variations you should use the "
                         "/products/&lt;product_id&gt;/variations/&lt;id&gt; endpoint.",
                         404);
    }
    if (auto error = duplicateSku(catalog_, id, values)) return *error;
    catalog_.change(Resource::Products, id, [&](nlohmann::ordered_json& stored) {
        applyProductFields(stored, values, now);
    });
    return {200, presented(*product, Resource::Products, origin), {}};
}

const nlohmann::ordered_json* ShopRoutes::findVariation(long long parentId, long long id) const {
    const auto* variation = catalog_.find(Resource::Products, id);
    if (!variation || !isVariation(*variation) || variation->value("parent_id", 0LL) != parentId)
        return nullptr;
    return variation;
}

RestAnswer ShopRoutes::variation(long long parentId, long long id, const RestCall& call) {
    const auto* found = findVariation(parentId, id);
    if (!found) return invalidVariationId(404);
    if (!call.authenticated) {
        return restError("woocommerce_rest_cannot_view", "Sorry, you cannot view this resource.",
                         401);
    }
    return {200, presentedVariation(*found, call.origin), {}};
}

RestAnswer ShopRoutes::updateVariation(long long parentId, long long id, const RestCall& call,
                                       const nlohmann::ordered_json& body, const std::string& now) {
    const FieldCheck check = checkProductFields(body);
    if (!check.invalid.empty()) return invalidParameters(check.invalid);
    if (!call.authenticated) {
        return restError("woocommerce_rest_cannot_edit",
                         "Sorry, you are not allowed to edit this resource.", 401);
    }
    return saveVariation(parentId, id, check.values, call.origin, now);
}

// A variation's price is its own; its product's price becomes the lowest of its variations'.
RestAnswer ShopRoutes::saveVariation(long long parentId, long long id,
                                     const nlohmann::ordered_json& values,
                                     const std::string& origin, const std::string& now) {
    const auto* found = findVariation(parentId, id);
    if (!found) return invalidVariationId(400);
    if (auto error = duplicateSku(catalog_, id, values)) return *error;
    catalog_.change(Resource::Products, id, [&](nlohmann::ordered_json& stored) {
        applyProductFields(stored, values, now);
    });
    if (catalog_.find(Resource::Products, parentId)) {
        catalog_.change(Resource::Products, parentId, [&](nlohmann::ordered_json& parent) {
            parent["price"] = lowestPrice(parent);
        });
    }
    return {200, presentedVariation(*found, origin), {}};
}

std::string ShopRoutes::lowestPrice(const nlohmann::ordered_json& parent) const {
    std::string lowest;
    for (const auto& id : parent.value("variations", nlohmann::ordered_json::array())) {
        const auto* variation = id.is_number_integer()
                                    ? catalog_.find(Resource::Products, id.get<long long>())
                                    : nullptr;
        const std::string price = variation ? textMember(*variation, "price") : "";
        if (!price.empty() && (lowest.empty() || std::strtod(price.c_str(), nullptr) <
                                                     std::strtod(lowest.c_str(), nullptr)))
            lowest = price;
    }
    return lowest;
}

RestAnswer ShopRoutes::addProduct(const nlohmann::ordered_json& values, const std::string& origin,
                                  const std::string& now) {
    if (auto error = duplicateSku(catalog_, 0, values)) return *error;
    nlohmann::ordered_json product = productTemplate(now);
    applyProductFields(product, values, now);
    const auto& stored = catalog_.add(Resource::Products, std::move(product));
    const std::string self =
        origin + kNamespacePath + "/products/" + std::to_string(stored.value("id", 0LL));
    return {201, presented(stored, Resource::Products, origin), {{"Location", self}}};
}

RestAnswer ShopRoutes::createProduct(const RestCall& call, const nlohmann::ordered_json& body,
                                     const std::string& now) {
    const FieldCheck check = checkProductFields(body);
    if (!check.invalid.empty()) return invalidParameters(check.invalid);
    if (!call.authenticated) {
        return restError("woocommerce_rest_cannot_create",
                         "Sorry, you are not allowed to create resources.", 401);
    }
    return addProduct(check.values, call.origin, now);
}

// The shop takes each item as its single call would, but without the schema check, and answers
// 200 with the items in the order sent: creations first, then updates.
RestAnswer ShopRoutes::batchProducts(const RestCall& call, const nlohmann::ordered_json& body,
                                     const std::string& now) {
    if (auto refusal = refusedBatch(call, body)) return *refusal;
    nlohmann::ordered_json answer = nlohmann::ordered_json::object();
    for (const auto& item : batchList(body, "create")) {
        const auto id = item.is_object() ? item.value("id", nlohmann::ordered_json())
                                         : nlohmann::ordered_json();
        const RestAnswer created = isEmptyValue(id)
                                       ? addProduct(uncheckedProductFields(item), call.origin, now)
                                       : restError("woocommerce_rest_product_exists",
                                                   "Cannot create existing product.", 400);
        answer["create"].push_back(batchEntry(created, 0));
    }
    if (!batchList(body, "update").empty()) {
        answer["update"] =
            updatedItems(body, [&](long long id, const nlohmann::ordered_json& values) {
                return saveProduct(id, values, call.origin, now);
            });
    }
    // PHP writes an empty array as [].
    if (answer.empty()) answer = nlohmann::ordered_json::array();
    return {200, std::move(answer), {}};
}

// The variations' batch route of one product takes updates (the program creates none).
RestAnswer ShopRoutes::batchVariations(long long parentId, const RestCall& call,
                                       const nlohmann::ordered_json& body, const std::string& now) {
    if (auto refusal = refusedBatch(call, body)) return *refusal;
    const nlohmann::ordered_json updated =
        updatedItems(body, [&](long long id, const nlohmann::ordered_json& values) {
            return saveVariation(parentId, id, values, call.origin, now);
        });
    if (updated.empty()) return {200, nlohmann::ordered_json::array(), {}};
    return {200, {{"update", updated}}, {}};
}

}  // namespace norvan::sampleshop
