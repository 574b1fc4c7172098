#pragma once

#include <nlohmann/json.hpp>

#include <chrono>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace norvan::sampleshop {

// A loopback stand-in for a WooCommerce REST API v3 shop: products, products/<id>, orders,
// orders/<id> (with and without a trailing slash) under /wp-json/wc/v3/.
struct RecordedRequest {
    std::string method;
    std::string target;  // path and query exactly as received
    std::multimap<std::string, std::string> headers;  // names as received
    std::string body;
    int connection = 0;  // 1-based number of the TCP connection it came on
    std::string header(const std::string& name) const;  // first value, name ignoring case; "" if none
};

enum class Fault {
    None,
    Status500,
    Status503,
    Status429,
    Delay,            // answers normally after Options::delay
    DropConnection,   // closes the connection without an answer
    TruncatedBody,    // sends a Content-Length larger than the body, then closes
    Empty200,         // 200 with an empty body
    NonJson200,       // 200 with a body that is not JSON
    RedirectToSlashed // 301 to the same path with a trailing "/"
};

struct Options {
    std::string consumerKey = "ck_4f1c2d0b8e7a6950c3b2a1d0e9f8a7b6c5d4e3f2";
    std::string consumerSecret = "cs_9a8b7c6d5e4f30211f2e3d4c5b6a79881a2b3c4d";
    int perPage = 10;
};

class SampleShop {
public:
    // seed: {"products": [...], "orders": [...]} in the shop's own JSON form.
    explicit SampleShop(nlohmann::json seed = defaultSeed(), Options options = {});
    ~SampleShop();  // stops the server
    SampleShop(const SampleShop&) = delete;
    SampleShop& operator=(const SampleShop&) = delete;

    static nlohmann::json defaultSeed();  // realistic Persian products and orders
    static nlohmann::json loadSeed(const std::string& path);

    void start(int port = 0, const std::string& host = "127.0.0.1");  // 0: the OS picks
    void stop();
    int port() const;
    std::string baseUrl() const;  // "http://127.0.0.1:<port>/wp-json/wc/v3/"

    // Applies to every later request until set back to Fault::None.
    void setFault(Fault fault, std::chrono::milliseconds delay = {});

    std::vector<RecordedRequest> requests() const;
    void clearRequests();
    int connectionCount() const;

    nlohmann::json product(long long id) const;  // null when unknown
    nlohmann::json order(long long id) const;
    nlohmann::json products() const;
    nlohmann::json orders() const;
    void addProduct(nlohmann::json product);  // keeps or assigns "id"
    void addOrder(nlohmann::json order);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace norvan::sampleshop
