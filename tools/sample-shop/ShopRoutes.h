#pragma once

#include "OAuthSignature.h"
#include "RestAnswer.h"
#include "ShopCatalog.h"

#include <string>

namespace norvan::sampleshop {

// One request as the routes see it, authentication already decided.
struct RestCall {
    std::string method;
    std::string path;  // as received, without the query
    Parameters query;  // decoded
    std::string body;
    std::string contentType;
    std::string origin;  // "http://host:port", for links in the answers
    bool authenticated = false;
};

// The WooCommerce REST v3 routes of the shop over a catalog: lists with paging and filters, one
// object, updates, product creation, products/batch, and a variable product's variations and
// their batch, each with the shop's validation, permission check and error answers. The caller
// serialises access to the catalog.
class ShopRoutes {
  public:
    ShopRoutes(ShopCatalog& catalog, int perPage);
    // `now`: the date that updates write, "YYYY-MM-DDTHH:MM:SS".
    RestAnswer answer(const RestCall& call, const std::string& now);

  private:
    RestAnswer list(Resource resource, const RestCall& call);
    RestAnswer item(Resource resource, long long id, const RestCall& call);
    RestAnswer update(Resource resource, long long id, const RestCall& call,
                      const nlohmann::ordered_json& body, const std::string& now);
    RestAnswer createProduct(const RestCall& call, const nlohmann::ordered_json& body,
                             const std::string& now);
    RestAnswer batchProducts(const RestCall& call, const nlohmann::ordered_json& body,
                             const std::string& now);
    // The variations of the product parentId: products/<parentId>/variations/<id> and its batch.
    const nlohmann::ordered_json* findVariation(long long parentId, long long id) const;
    RestAnswer variation(long long parentId, long long id, const RestCall& call);
    RestAnswer updateVariation(long long parentId, long long id, const RestCall& call,
                               const nlohmann::ordered_json& body, const std::string& now);
    RestAnswer batchVariations(long long parentId, const RestCall& call,
                               const nlohmann::ordered_json& body, const std::string& now);
    RestAnswer saveVariation(long long parentId, long long id, const nlohmann::ordered_json& values,
                             const std::string& origin, const std::string& now);
    // The lowest price of a variable product's variations, "" when none has one.
    std::string lowestPrice(const nlohmann::ordered_json& parent) const;
    // A product update or creation with values already taken from a body: the shop's answer.
    RestAnswer saveProduct(long long id, const nlohmann::ordered_json& values,
                           const std::string& origin, const std::string& now);
    RestAnswer addProduct(const nlohmann::ordered_json& values, const std::string& origin,
                          const std::string& now);

    ShopCatalog& catalog_;
    int perPage_;
};

}  // namespace norvan::sampleshop
