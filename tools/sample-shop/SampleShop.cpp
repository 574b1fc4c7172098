#include "SampleShop.h"

#include "AsciiText.h"
#include "ConnectionQueue.h"
#include "DefaultSeed.h"
#include "FaultRate.h"
#include "PhpJson.h"
#include "QueryString.h"
#include "ServedSockets.h"
#include "ShopAuthenticator.h"
#include "ShopCatalog.h"
#include "ShopRoutes.h"

#include <httplib.h>

#include <atomic>
#include <condition_variable>
#include <ctime>
#include <fstream>
#include <mutex>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace norvan::sampleshop {

namespace {

constexpr std::size_t kServerThreads = 16;
// Longer than any test takes between two requests, so a client keeps its one connection;
// stop() closes idle connections itself.
constexpr time_t kKeepAliveSeconds = 60;
constexpr std::size_t kKeepAliveRequests = 100000;
const char* const kJsonType = "application/json; charset=UTF-8";

// Headers httplib adds to a request for its handlers; they never came over the wire.
bool isHttplibHeader(const std::string& name) {
    return name == "REMOTE_ADDR" || name == "REMOTE_PORT" || name == "LOCAL_ADDR" ||
           name == "LOCAL_PORT";
}

std::string dateText(std::chrono::system_clock::time_point time) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(time);
    std::tm utc{};
    gmtime_r(&seconds, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &utc);
    return text;
}

std::unique_ptr<httplib::Server> makeServer(const std::optional<TlsFiles>& tls) {
    if (!tls) return std::make_unique<httplib::Server>();
    auto server =
        std::make_unique<httplib::SSLServer>(tls->certificate.c_str(), tls->privateKey.c_str());
    if (!server->is_valid()) {
        throw std::runtime_error("the sample shop cannot serve HTTPS with " + tls->certificate +
                                 " and " + tls->privateKey);
    }
    return server;
}

nlohmann::ordered_json parseSeed(const std::string& text, const std::string& origin) {
    try {
        return nlohmann::ordered_json::parse(text);
    } catch (const nlohmann::ordered_json::exception& error) {
        throw std::runtime_error("the seed " + origin + " is not valid JSON: " + error.what());
    }
}

}  // namespace

std::string RecordedRequest::header(const std::string& name) const {
    const std::string wanted = lowerAscii(name);
    for (const auto& [headerName, value] : headers) {
        if (lowerAscii(headerName) == wanted) return value;
    }
    return "";
}

struct SampleShop::Impl {
    Impl(nlohmann::ordered_json seed, Options shopOptions)
        : options(std::move(shopOptions)),
          authenticator(options),
          catalog(seed),
          routes(catalog, options.perPage) {}

    void handle(const httplib::Request& request, httplib::Response& response);
    RecordedRequest record(const httplib::Request& request);
    // keyRevoked: the request's key is taken for one the shop does not know.
    RestAnswer answer(const httplib::Request& request, const std::string& path,
                      const std::string& origin, bool keyRevoked);
    void write(httplib::Response& response, const RestAnswer& answer, const std::string& origin,
               Fault bodyFault, std::chrono::milliseconds byteDelay);
    // Waits for the delay; returns early, with false, when the server stops.
    bool waitFor(std::chrono::milliseconds delay);
    std::string scheme() const { return options.tls ? "https" : "http"; }

    Options options;
    ShopAuthenticator authenticator;

    mutable std::mutex catalogMutex;
    ShopCatalog catalog;
    ShopRoutes routes;

    mutable std::mutex recordMutex;
    std::vector<RecordedRequest> records;
    std::atomic<int> connections{0};

    // Faults, delay, redirect, and the server's running state.
    mutable std::mutex stateMutex;
    std::condition_variable stateChanged;
    Fault fault = Fault::None;
    std::chrono::milliseconds delay{};
    int normalAnswersBeforeFault = 0;
    FaultRate faultRate;
    RequestHook requestHook;
    std::string redirectOrigin;
    int redirectStatus = 0;
    bool listening = false;
    bool stopping = false;

    std::unique_ptr<httplib::Server> server;
    std::thread serverThread;
    int port = 0;
    std::string host;
};

RecordedRequest SampleShop::Impl::record(const httplib::Request& request) {
    RecordedRequest recorded;
    recorded.method = request.method;
    recorded.target = request.target;
    for (const auto& [name, value] : request.headers) {
        if (!isHttplibHeader(name)) recorded.headers.emplace(name, value);
    }
    recorded.body = request.body;
    recorded.connection = ConnectionQueue::current();
    std::lock_guard lock(recordMutex);
    records.push_back(recorded);
    return recorded;
}

bool SampleShop::Impl::waitFor(std::chrono::milliseconds wait) {
    std::unique_lock lock(stateMutex);
    return !stateChanged.wait_for(lock, wait, [this] { return stopping; });
}

void SampleShop::Impl::handle(const httplib::Request& request, httplib::Response& response) {
    const RecordedRequest recorded = record(request);
    if (options.delayPerRequest > std::chrono::milliseconds::zero())
        waitFor(options.delayPerRequest);

    const std::string target = request.target;
    const std::size_t queryStart = target.find('?');
    const std::string path = target.substr(0, queryStart);
    const std::string hostHeader = request.get_header_value("Host");
    const std::string origin =
        scheme() + "://" +
        lowerAscii(hostHeader.empty() ? host + ":" + std::to_string(port) : hostHeader);

    Fault currentFault;
    std::chrono::milliseconds currentDelay;
    RequestHook hook;
    {
        std::lock_guard lock(stateMutex);
        if (!redirectOrigin.empty()) {
            response.status = redirectStatus;
            response.set_header("Location", redirectOrigin + target);
            return;
        }
        currentFault = normalAnswersBeforeFault > 0 ? Fault::None : fault;
        if (normalAnswersBeforeFault > 0) --normalAnswersBeforeFault;
        if (currentFault == Fault::None) currentFault = faultRate.next();
        currentDelay = delay;
        hook = requestHook;
    }
    // Outside the lock: a hook may take its time, stopping the client that sent the request.
    if (hook) {
        if (const Fault chosen = hook(recorded); chosen != Fault::None) currentFault = chosen;
    }
    switch (currentFault) {
        case Fault::None:
        case Fault::TruncatedBody:
        case Fault::Trickle:
        case Fault::KeyRevoked:
            break;
        case Fault::Delay:
            waitFor(currentDelay);
            break;
        case Fault::Status500:
            write(response,
                  restError("internal_server_error",
                            "<p>There has been a critical error on this website.</p>", 500),
                  origin, Fault::None, {});
            return;
        case Fault::Status503:
            response.status = 503;
            response.set_header("Retry-After", "600");
            response.set_content(
                "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>Maintenance</title>"
                "</head><body>Briefly unavailable for scheduled maintenance. Check back in a "
                "minute.</body></html>",
                "text/html; charset=UTF-8");
            return;
        case Fault::Status429:
            response.status = 429;
            response.set_header("Retry-After", "1");
            response.set_content(
                "<html><head><title>429 Too Many Requests</title></head><body><h1>Too Many "
                "Requests</h1></body></html>",
                "text/html; charset=UTF-8");
            return;
        case Fault::DropConnection:
            shutdownServedSockets(port, request.remote_port);
            return;
        case Fault::Empty200:
            response.status = 200;
            response.set_content("", kJsonType);
            return;
        case Fault::NonJson200:
            response.status = 200;
            response.set_content(
                "<br />\n<b>Warning</b>:  Undefined array key \"status\" in "
                "<b>/var/www/html/wp-content/plugins/shop-sync/sync.php</b> on line <b>42</b><br "
                "/>\n",
                "text/html; charset=UTF-8");
            return;
        case Fault::Status403:
            response.status = 403;
            response.set_content(
                "<!DOCTYPE html><html><head><title>403 Forbidden</title></head><body><h1>Access "
                "denied</h1><p>The request was blocked by the site's firewall.</p></body></html>",
                "text/html; charset=UTF-8");
            return;
        case Fault::Html404:
            response.status = 404;
            response.set_content(
                "<!DOCTYPE html><html><head><title>404 Not Found</title></head><body><h1>Not "
                "Found</h1><p>The requested URL was not found on this server.</p></body></html>",
                "text/html; charset=UTF-8");
            return;
        case Fault::RedirectToSlashed:
            if (path.empty() || path.back() != '/') {
                response.status = 301;
                response.set_header(
                    "Location",
                    origin + path + "/" +
                        (queryStart == std::string::npos ? "" : target.substr(queryStart)));
                return;
            }
            break;
    }
    write(response, answer(request, path, origin, currentFault == Fault::KeyRevoked), origin,
          currentFault, currentDelay);
}

RestAnswer SampleShop::Impl::answer(const httplib::Request& request, const std::string& path,
                                    const std::string& origin, bool keyRevoked) {
    const std::size_t queryStart = request.target.find('?');
    const Parameters query =
        queryStart == std::string::npos
            ? Parameters{}
            : parseQuery(std::string_view(request.target).substr(queryStart + 1));

    AuthResult auth = authenticator.authenticate(
        {request.method, origin + path, query, request.get_header_value("Authorization")});
    if (auth.refusal) return *auth.refusal;
    if (keyRevoked) auth.authenticated = false;
    const bool writes = request.method != "GET" && request.method != "HEAD";
    if (auth.authenticated && writes && !options.keyCanWrite) {
        return restError("woocommerce_rest_authentication_error",
                         "The API key provided does not have write permissions.", 401);
    }

    RestCall call{request.method,
                  path,
                  query,
                  request.body,
                  request.get_header_value("Content-Type"),
                  origin,
                  auth.authenticated};
    const std::string now = dateText(options.clock());
    std::lock_guard lock(catalogMutex);
    return routes.answer(call, now);
}

void SampleShop::Impl::write(httplib::Response& response, const RestAnswer& answer,
                             const std::string& origin, Fault bodyFault,
                             std::chrono::milliseconds byteDelay) {
    response.status = answer.status;
    response.set_header("X-Robots-Tag", "noindex");
    response.set_header("Link", "<" + origin + "/wp-json/>; rel=\"https://api.w.org/\"");
    response.set_header("X-Content-Type-Options", "nosniff");
    response.set_header("Access-Control-Expose-Headers", "X-WP-Total, X-WP-TotalPages, Link");
    for (const auto& [name, value] : answer.headers) response.set_header(name, value);

    std::string body = phpJsonText(answer.body);
    const std::size_t announced = body.size();
    if (bodyFault == Fault::TruncatedBody) {
        // Announces the whole body, sends half of it, then gives up, which closes the connection.
        response.set_content_provider(
            announced, kJsonType,
            [body = std::move(body)](std::size_t, std::size_t, httplib::DataSink& sink) {
                sink.write(body.data(), body.size() / 2);
                return false;
            });
    } else if (bodyFault == Fault::Trickle) {
        // Ends when the client hangs up or the server stops.
        response.set_content_provider(
            announced, kJsonType,
            [this, body = std::move(body), byteDelay](std::size_t offset, std::size_t,
                                                      httplib::DataSink& sink) {
                if (offset > 0 && !waitFor(byteDelay)) return false;
                return sink.write(body.data() + offset, 1);
            });
    } else {
        response.set_content(std::move(body), kJsonType);
    }
}

SampleShop::SampleShop(nlohmann::ordered_json seed, Options options)
    : impl_(std::make_unique<Impl>(std::move(seed), std::move(options))) {}

SampleShop::~SampleShop() {
    stop();
}

nlohmann::ordered_json SampleShop::defaultSeed() {
    return parseSeed(std::string(defaultSeedText()), "seed.json");
}

nlohmann::ordered_json SampleShop::loadSeed(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) throw std::runtime_error("cannot read the seed file " + path);
    std::ostringstream text;
    text << file.rdbuf();
    return parseSeed(text.str(), path);
}

void SampleShop::start(int port, const std::string& host) {
    Impl& impl = *impl_;
    if (impl.server) throw std::logic_error("the sample shop is already running");

    std::unique_ptr<httplib::Server> server = makeServer(impl.options.tls);
    server->set_keep_alive_timeout(kKeepAliveSeconds);
    server->set_keep_alive_max_count(kKeepAliveRequests);
    // Headers and body go out in separate writes; without this each answer on a kept-alive
    // connection waits for the client's delayed ACK.
    server->set_tcp_nodelay(true);
    const auto handler = [&impl](const httplib::Request& request, httplib::Response& response) {
        impl.handle(request, response);
    };
    const std::string anyPath = R"([\s\S]*)";
    server->Get(anyPath, handler);
    server->Post(anyPath, handler);
    server->Put(anyPath, handler);
    server->Patch(anyPath, handler);
    server->Delete(anyPath, handler);
    server->Options(anyPath, handler);
    // httplib makes the task queue once its accept loop runs: the moment start() waits for.
    server->new_task_queue = [&impl] {
        {
            std::lock_guard lock(impl.stateMutex);
            impl.listening = true;
        }
        impl.stateChanged.notify_all();
        return new ConnectionQueue(kServerThreads, impl.connections);
    };

    const int boundPort =
        port == 0 ? server->bind_to_any_port(host) : (server->bind_to_port(host, port) ? port : -1);
    if (boundPort <= 0) {
        throw std::runtime_error("the sample shop cannot listen on " + host + ":" +
                                 std::to_string(port));
    }
    impl.port = boundPort;
    impl.host = host;
    impl.connections = 0;
    {
        std::lock_guard lock(impl.stateMutex);
        impl.listening = false;
        impl.stopping = false;
    }
    impl.server = std::move(server);
    impl.serverThread = std::thread([server = impl.server.get()] { server->listen_after_bind(); });

    std::unique_lock lock(impl.stateMutex);
    impl.stateChanged.wait(lock, [&impl] { return impl.listening; });
}

void SampleShop::stop() {
    Impl& impl = *impl_;
    if (!impl.server) return;
    {
        std::lock_guard lock(impl.stateMutex);
        impl.stopping = true;
    }
    impl.stateChanged.notify_all();
    impl.server->stop();
    // Idle keep-alive connections would otherwise hold the server's threads until they time out.
    shutdownServedSockets(impl.port);
    impl.serverThread.join();
    impl.server.reset();
}

int SampleShop::port() const {
    return impl_->port;
}

std::string SampleShop::baseUrl() const {
    return impl_->scheme() + "://" + impl_->host + ":" + std::to_string(impl_->port) +
           "/wp-json/wc/v3/";
}

void SampleShop::setFault(Fault fault, std::chrono::milliseconds delay, int after) {
    std::lock_guard lock(impl_->stateMutex);
    impl_->fault = fault;
    impl_->delay = delay;
    impl_->normalAnswersBeforeFault = after;
}

void SampleShop::setFaultRate(double share, unsigned seed, std::vector<Fault> kinds) {
    std::lock_guard lock(impl_->stateMutex);
    impl_->faultRate = FaultRate(share, seed, std::move(kinds));
}

void SampleShop::setRequestHook(RequestHook hook) {
    std::lock_guard lock(impl_->stateMutex);
    impl_->requestHook = std::move(hook);
}

void SampleShop::redirectTo(std::string origin, int status) {
    std::lock_guard lock(impl_->stateMutex);
    impl_->redirectOrigin = std::move(origin);
    impl_->redirectStatus = status;
}

std::vector<RecordedRequest> SampleShop::requests() const {
    std::lock_guard lock(impl_->recordMutex);
    return impl_->records;
}

void SampleShop::clearRequests() {
    std::lock_guard lock(impl_->recordMutex);
    impl_->records.clear();
}

int SampleShop::connectionCount() const {
    return impl_->connections;
}

nlohmann::ordered_json SampleShop::product(long long id) const {
    std::lock_guard lock(impl_->catalogMutex);
    const auto* product = impl_->catalog.find(Resource::Products, id);
    return product ? *product : nlohmann::ordered_json();
}

nlohmann::ordered_json SampleShop::order(long long id) const {
    std::lock_guard lock(impl_->catalogMutex);
    const auto* order = impl_->catalog.find(Resource::Orders, id);
    return order ? *order : nlohmann::ordered_json();
}

nlohmann::ordered_json SampleShop::products() const {
    std::lock_guard lock(impl_->catalogMutex);
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const auto* product : impl_->catalog.list(Resource::Products)) list.push_back(*product);
    return list;
}

nlohmann::ordered_json SampleShop::orders() const {
    std::lock_guard lock(impl_->catalogMutex);
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const auto* order : impl_->catalog.list(Resource::Orders)) list.push_back(*order);
    return list;
}

void SampleShop::addProduct(nlohmann::ordered_json product) {
    std::lock_guard lock(impl_->catalogMutex);
    impl_->catalog.add(Resource::Products, std::move(product));
}

void SampleShop::removeProduct(long long id) {
    std::lock_guard lock(impl_->catalogMutex);
    impl_->catalog.remove(Resource::Products, id);
}

void SampleShop::addOrder(nlohmann::ordered_json order) {
    std::lock_guard lock(impl_->catalogMutex);
    impl_->catalog.add(Resource::Orders, std::move(order));
}

}  // namespace norvan::sampleshop
