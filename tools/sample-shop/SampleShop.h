#pragma once

#include "SelfSignedCertificate.h"

#include <nlohmann/json.hpp>

#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace norvan::sampleshop {

// A loopback stand-in for a WooCommerce REST API v3 shop: products, products/<id>, orders,
// orders/<id>, products/batch, products/<id>/variations/<id> and its batch (with and without a
// trailing slash) under /wp-json/wc/v3/.
//
// Objects keep their members in the shop's own order (nlohmann::ordered_json); a plain
// nlohmann::json converts to and from it implicitly.
struct RecordedRequest {
    std::string method;
    std::string target;                               // path and query exactly as received
    std::multimap<std::string, std::string> headers;  // names as received
    std::string body;
    int connection = 0;  // 1-based number of the TCP connection it came on
    std::string header(
        const std::string& name) const;  // first value, name ignoring case; "" if none
};

enum class Fault {
    None,
    Status500,
    Status503,
    Status429,
    Delay,              // answers normally after the delay given to setFault
    DropConnection,     // closes the connection without an answer
    TruncatedBody,      // sends a Content-Length larger than the body, then closes
    Empty200,           // 200 with an empty body
    NonJson200,         // 200 with a body that is not JSON
    RedirectToSlashed,  // 301 to the same path with a trailing "/" (which answers normally)
    Trickle,            // sends the answer's body one byte at a time, the delay between two bytes
    // Faults that say nothing about what was asked, but are no faults of the way either:
    KeyRevoked,  // answers as for an unknown key: the route's own 401 (cannot list, edit, batch)
    Status403,   // a firewall in front of the shop: 403 with an HTML page
    Html404      // a web server in front of the shop: 404 with an HTML page, no WooCommerce error
};

// The faults a shop's surroundings cause on the way (a crashed PHP worker, a proxy, a cache, a
// rate limit): the kinds setFaultRate draws from unless told others.
inline const std::vector<Fault> kTransitFaults{Fault::Status500,     Fault::Status503,
                                               Fault::Status429,     Fault::DropConnection,
                                               Fault::TruncatedBody, Fault::NonJson200};

// Chooses a fault of its own for a request as it arrives, before the shop acts on it: one that
// fails only the status change of one order, or one that stops a client at its Nth request.
// Fault::None leaves the request to the other switches. Called on the server's threads.
using RequestHook = std::function<Fault(const RecordedRequest& request)>;

struct Options {
    std::string consumerKey = "ck_4f1c2d0b8e7a6950c3b2a1d0e9f8a7b6c5d4e3f2";
    std::string consumerSecret = "cs_9a8b7c6d5e4f30211f2e3d4c5b6a79881a2b3c4d";
    int perPage = 10;
    // The real shop takes Basic only over HTTPS and answers it over plain HTTP with 401. Tests
    // mostly run this shop over plain HTTP, so it takes Basic there too unless told to behave like
    // a plain-HTTP shop.
    bool basicOverPlainHttp = true;
    // false makes the key one with read permission only: every write is answered 401 "The API
    // key provided does not have write permissions."
    bool keyCanWrite = true;
    // Serves HTTPS with this certificate and key instead of plain HTTP.
    std::optional<TlsFiles> tls;
    // Every request waits this long before it is answered, standing in for the time a real shop
    // takes (the captured one: 100 to 150 ms a request); requests on several connections wait
    // side by side. Zero: answered at once.
    std::chrono::milliseconds delayPerRequest{};
    // Time of the OAuth timestamp window and of the dates an update writes.
    std::function<std::chrono::system_clock::time_point()> clock = [] {
        return std::chrono::system_clock::now();
    };
};

class SampleShop {
  public:
    // seed: {"products": [...], "orders": [...]} in the shop's own JSON form.
    explicit SampleShop(nlohmann::ordered_json seed = defaultSeed(), Options options = {});
    ~SampleShop();  // stops the server
    SampleShop(const SampleShop&) = delete;
    SampleShop& operator=(const SampleShop&) = delete;

    static nlohmann::ordered_json defaultSeed();  // realistic Persian products and orders
    static nlohmann::ordered_json loadSeed(const std::string& path);  // throws std::runtime_error

    // Returns once the server accepts connections; throws std::runtime_error if it cannot bind
    // or cannot load Options::tls.
    void start(int port = 0, const std::string& host = "127.0.0.1");  // 0: the OS picks
    void stop();  // closes open connections, idle keep-alive ones included
    int port() const;
    std::string baseUrl() const;  // "http://127.0.0.1:<port>/wp-json/wc/v3/" (https with tls)

    // Applies to every later request until set back to Fault::None; the first `after` of them
    // are still answered normally (a shop that goes down half-way through a run).
    void setFault(Fault fault, std::chrono::milliseconds delay = {}, int after = 0);

    // Fails the given share (0 to 1) of the later requests that setFault leaves alone, each with
    // a kind drawn from `kinds`. The draws follow the seed: a client that sends the same requests
    // one after another meets the same faults at the same requests. A share of 0 ends it.
    void setFaultRate(double share, unsigned seed, std::vector<Fault> kinds = kTransitFaults);

    // The hook's fault goes before those of setFault and setFaultRate; an empty hook ends it.
    void setRequestHook(RequestHook hook);

    // Hosting in front of the shop that sends every later request to the same path and query on
    // origin ("https://127.4.5.6", "http://127.0.0.1:8080"), with status 301, 302, 307 or 308.
    // Requests are recorded as usual; the shop behind answers none. An empty origin ends it.
    void redirectTo(std::string origin, int status = 301);

    std::vector<RecordedRequest> requests() const;
    void clearRequests();
    int connectionCount() const;  // TCP connections accepted since start()

    nlohmann::ordered_json product(long long id) const;  // null when unknown
    nlohmann::ordered_json order(long long id) const;
    nlohmann::ordered_json products() const;
    nlohmann::ordered_json orders() const;
    void addProduct(nlohmann::ordered_json product);  // keeps or assigns "id"
    void removeProduct(long long id);                 // a product deleted in the shop
    void addOrder(nlohmann::ordered_json order);

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace norvan::sampleshop
