#include "LargeOrder.h"

#include "sample-shop/SampleShop.h"

#include <curl/curl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <stdexcept>
#include <string>

namespace norvan::bench {

const QStringList kLineItemFields = {"id",          "name",
                                     "product_id",  "variation_id",
                                     "quantity",    "tax_class",
                                     "subtotal",    "subtotal_tax",
                                     "total",       "total_tax",
                                     "sku",         "price",
                                     "parent_name", "global_unique_id",
                                     "note"};

nlohmann::ordered_json largeOrder(int itemCount) {
    nlohmann::ordered_json order = {{"id", 727},
                                    {"status", "processing"},
                                    {"total", "4060000"},
                                    {"billing",
                                     {{"first_name", "\u0645\u0631\u06CC\u0645"},
                                      {"address_1", "\u0628\u0644\u0648\u0627\u0631 \u06F1\u06F2"},
                                      {"city", "\u0645\u0634\u0647\u062F"}}},
                                    {"customer_note", ""}};
    nlohmann::ordered_json items = nlohmann::ordered_json::array();
    for (int i = 0; i < itemCount; ++i) {
        items.push_back({{"id", 1000 + i},
                         {"name", "\u0632\u0639\u0641\u0631\u0627\u0646 \u06F4\u066B\u06F6"},
                         {"product_id", 12},
                         {"variation_id", 0},
                         {"quantity", 1 + i % 5},
                         {"tax_class", ""},
                         {"subtotal", "1850000"},
                         {"subtotal_tax", "0"},
                         {"total", "1850000"},
                         {"total_tax", "0"},
                         {"sku", "B-" + std::to_string(i)},
                         {"price", 1850000.5},
                         {"parent_name", "x"},
                         {"global_unique_id", ""},
                         {"note", "line\nbreak"},
                         {"meta_data", {{{"id", i}, {"key", "_reduced_stock"}, {"value", "1"}}}}});
    }
    order["line_items"] = std::move(items);
    return order;
}

const char* const ServedLargeOrder::kKey = "ck_4f1c2d0b8e7a6950c3b2a1d0e9f8a7b6c5d4e3f2";
const char* const ServedLargeOrder::kSecret = "cs_9a8b7c6d5e4f30211f2e3d4c5b6a79881a2b3c4d";

namespace {

// The child: serves the order until the parent closes its end of the pipe.
[[noreturn]] void serveOrder(int itemCount, int noteMegabytes, int portPipe) {
    nlohmann::ordered_json order = largeOrder(itemCount);
    const std::string sentence = "Please ring twice; the bell of unit 3 is broken. ";
    std::string note;
    while (note.size() < std::size_t(noteMegabytes) * 1024 * 1024) note += sentence;
    order["customer_note"] = note;
    sampleshop::SampleShop shop(
        nlohmann::ordered_json{{"orders", nlohmann::ordered_json::array({order})}});
    shop.start();
    const int port = shop.port();
    if (write(portPipe, &port, sizeof port) != sizeof port) std::_Exit(1);
    char end = 0;
    while (read(portPipe, &end, 1) > 0) {
    }
    shop.stop();
    std::_Exit(0);
}

size_t countBytes(char*, size_t size, size_t count, void* total) {
    *static_cast<curl_off_t*>(total) += curl_off_t(size * count);
    return size * count;
}

}  // namespace

ServedLargeOrder::ServedLargeOrder(int itemCount, int noteMegabytes) {
    int pipeEnds[2];
    if (socketpair(AF_UNIX, SOCK_STREAM, 0, pipeEnds) != 0) throw std::runtime_error("socketpair");
    child_ = fork();
    if (child_ < 0) throw std::runtime_error("fork");
    if (child_ == 0) {
        close(pipeEnds[0]);
        serveOrder(itemCount, noteMegabytes, pipeEnds[1]);
    }
    close(pipeEnds[1]);
    pipe_ = pipeEnds[0];
    if (read(pipe_, &port_, sizeof port_) != sizeof port_) throw std::runtime_error("no shop");
}

ServedLargeOrder::~ServedLargeOrder() {
    close(pipe_);
    waitpid(child_, nullptr, 0);
}

QString ServedLargeOrder::baseUrl() const {
    return QStringLiteral("http://127.0.0.1:%1/wp-json/wc/v3/").arg(port_);
}

long long ServedLargeOrder::answerSize() const {
    CURL* curl = curl_easy_init();
    curl_off_t total = 0;
    const std::string url = baseUrl().toStdString() + "orders/727/";
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_USERPWD, (std::string(kKey) + ':' + kSecret).c_str());
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, countBytes);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &total);
    curl_easy_perform(curl);
    curl_easy_cleanup(curl);
    return total;
}

}  // namespace norvan::bench
