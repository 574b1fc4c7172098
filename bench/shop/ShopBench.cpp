// Times GetResponse calls of one shop client against the same requests made by a bare libcurl
// loop on one connection, both against the sample shop on loopback, and prints their ratio.
// The two sides run in alternating small batches so that both meet the same machine load, and the
// whole program keeps to one CPU: otherwise the core on which the shop happens to serve each
// side's connection decides the figure more than the client does.
// Usage: shop_bench [batches] [requests per batch]

#include "sample-shop/SampleShop.h"
#include "shop/TWooCommerceAPI.h"

#include <curl/curl.h>
#include <sched.h>
#include <QByteArray>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using norvan::shop::TWooCommerceAPI;

constexpr const char* kKey = "ck_4f1c2d0b8e7a6950c3b2a1d0e9f8a7b6c5d4e3f2";
constexpr const char* kSecret = "cs_9a8b7c6d5e4f30211f2e3d4c5b6a79881a2b3c4d";
constexpr const char* kResource = "orders/15/";
constexpr double kAllowedRatio = 1.2;

size_t keepBody(char* data, size_t size, size_t count, void* body) {
    static_cast<std::string*>(body)->append(data, size * count);
    return size * count;
}

// The same request with the same headers as the client sends, without the client around it.
class BareCurlLoop {
  public:
    explicit BareCurlLoop(const std::string& baseUrl) : url_(baseUrl + kResource) {
        const std::string authorization =
            "Authorization: Basic " +
            QByteArray((std::string(kKey) + ':' + kSecret).c_str()).toBase64().toStdString();
        for (const std::string& line :
             {std::string("Accept: */*"), std::string("Accept-Charset: UTF-8"),
              std::string("Content-Type: application/json"),
              std::string("User-Agent: NorvanECommerce/" NORVAN_PROJECT_VERSION), authorization,
              std::string("Expect:")}) {
            headers_ = curl_slist_append(headers_, line.c_str());
        }
        curl_easy_setopt(curl_, CURLOPT_URL, url_.c_str());
        // As the client: no SIGPIPE handler set and restored around every request.
        curl_easy_setopt(curl_, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(curl_, CURLOPT_HTTPHEADER, headers_);
        curl_easy_setopt(curl_, CURLOPT_WRITEFUNCTION, keepBody);
        curl_easy_setopt(curl_, CURLOPT_WRITEDATA, &body_);
    }
    BareCurlLoop(const BareCurlLoop&) = delete;
    BareCurlLoop& operator=(const BareCurlLoop&) = delete;
    ~BareCurlLoop() {
        curl_easy_cleanup(curl_);
        curl_slist_free_all(headers_);
    }

    void get() {
        body_.clear();
        if (curl_easy_perform(curl_) != CURLE_OK || body_.empty()) std::abort();
    }

  private:
    std::string url_;
    std::string body_;
    CURL* curl_ = curl_easy_init();
    curl_slist* headers_ = nullptr;
};

template <typename Call>
double secondsFor(int requests, Call call) {
    const auto start = Clock::now();
    for (int i = 0; i < requests; ++i) call();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double median(std::vector<double> values) {
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    const int batches = argc > 1 ? std::max(1, std::atoi(argv[1])) : 100;
    const int perBatch = argc > 2 ? std::max(1, std::atoi(argv[2])) : 50;
    cpu_set_t oneCpu;
    CPU_ZERO(&oneCpu);
    CPU_SET(sched_getcpu(), &oneCpu);
    sched_setaffinity(0, sizeof oneCpu, &oneCpu);  // the shop's threads, started later, inherit it
    curl_global_init(CURL_GLOBAL_DEFAULT);
    {
        norvan::sampleshop::SampleShop shop;
        shop.start();
        TWooCommerceAPI client({QString::fromStdString(shop.baseUrl()), QString::fromLatin1(kKey),
                                QString::fromLatin1(kSecret)});
        BareCurlLoop bare(shop.baseUrl());
        const auto clientCall = [&] {
            if (client.GetResponse(QString::fromLatin1(kResource), {}).isEmpty()) std::abort();
        };
        const auto bareCall = [&] { bare.get(); };

        secondsFor(perBatch, clientCall);  // warm-up: connections open, caches filled
        secondsFor(perBatch, bareCall);
        std::vector<double> clientSeconds;
        std::vector<double> bareSeconds;
        std::vector<double> ratios;
        for (int batch = 0; batch < batches; ++batch) {
            shop.clearRequests();  // the shop's record would otherwise grow for the later side
            if (batch % 2 == 0) {
                clientSeconds.push_back(secondsFor(perBatch, clientCall));
                bareSeconds.push_back(secondsFor(perBatch, bareCall));
            } else {
                bareSeconds.push_back(secondsFor(perBatch, bareCall));
                clientSeconds.push_back(secondsFor(perBatch, clientCall));
            }
            ratios.push_back(clientSeconds.back() / bareSeconds.back());
        }
        // Medians: a batch that met a burst of load elsewhere on the machine does not count.
        const double ratio = median(ratios);
        std::printf("GET %s, %d alternating batches of %d calls on each side (medians)\n",
                    kResource, batches, perBatch);
        std::printf("  TWooCommerceAPI::GetResponse: %8.1f us per call\n",
                    median(clientSeconds) / perBatch * 1e6);
        std::printf("  bare libcurl loop:            %8.1f us per call\n",
                    median(bareSeconds) / perBatch * 1e6);
        std::printf("  ratio of batch times: %.3f (allowed: %.1f)\n", ratio, kAllowedRatio);
        if (ratio > kAllowedRatio) return 1;
    }
    curl_global_cleanup();
    return 0;
}
