#include "BareCurlLoop.h"

#include "CurlRequest.h"
#include "products/ProductBody.h"
#include "products/ProductLookup.h"
#include "sample-shop/SampleShop.h"
#include "shop/ProductBatch.h"

#include <QByteArray>
#include <algorithm>
#include <cstdio>
#include <memory>

namespace norvan::bench {

namespace {

size_t keepBody(char* data, size_t size, size_t count, void* body) {
    static_cast<std::string*>(body)->append(data, size * count);
    return size * count;
}

}  // namespace

std::vector<Request> runRequests(const BenchProducts& file, Sending sending) {
    std::vector<Request> requests;
    const auto sku = [&](size_t index) { return file.rows[index].value(QStringLiteral("sku")); };
    const auto id = [&](size_t index) { return std::to_string(file.ids[index]); };
    const size_t count = file.rows.size();
    if (sending == Sending::LineByLine) {
        for (size_t index = 0; index < count; ++index) {
            requests.push_back(
                {"GET", "products?" + products::skuQuery(sku(index)).toStdString(), {}});
            requests.push_back(
                {"PUT", "products/" + id(index) + "/",
                 products::productBody(file.rows[index]).compactText().toStdString()});
        }
        return requests;
    }
    const auto batchSize = static_cast<size_t>(products::kMostProductsPerCall);
    for (size_t first = 0; first < count; first += batchSize) {
        QStringList skus;
        QList<shop::JsonBody> items;
        for (size_t index = first; index < std::min(first + batchSize, count); ++index) {
            skus.append(sku(index));
            items.append(
                products::batchItemBody(QString::fromStdString(id(index)), file.rows[index]));
        }
        requests.push_back({"GET", "products?" + products::skuListQuery(skus).toStdString(), {}});
        requests.push_back(
            {"POST", "products/batch",
             shop::batchRequestBody(shop::BatchAction::Update, items).toStdString()});
    }
    return requests;
}

void bareCurlLoop(sampleshop::SampleShop& shop, const std::vector<Request>& requests) {
    const std::string baseUrl = shop.baseUrl();
    const sampleshop::Options keys;
    const std::string authorization =
        "Authorization: Basic " +
        QByteArray::fromStdString(keys.consumerKey + ':' + keys.consumerSecret)
            .toBase64()
            .toStdString();
    CurlHandle curl(curl_easy_init());
    CurlHeaderList headers;
    for (const std::string& header :
         {std::string("Accept: */*"), std::string("Accept-Charset: UTF-8"),
          std::string("Content-Type: application/json"),
          std::string("User-Agent: NorvanECommerce/" NORVAN_PROJECT_VERSION), authorization,
          std::string("Expect:")})
        headers.reset(curl_slist_append(headers.release(), header.c_str()));
    std::string answer;
    curl_easy_setopt(curl.get(), CURLOPT_NOSIGNAL, 1L);  // as the program's client
    curl_easy_setopt(curl.get(), CURLOPT_HTTPHEADER, headers.get());
    curl_easy_setopt(curl.get(), CURLOPT_WRITEFUNCTION, keepBody);
    curl_easy_setopt(curl.get(), CURLOPT_WRITEDATA, &answer);

    for (const Request& request : requests) {
        setUpRequest(curl.get(), request.method, baseUrl + request.target, request.body);
        answer.clear();
        if (curl_easy_perform(curl.get()) != CURLE_OK)
            std::fprintf(stderr, "%s %s failed\n", request.method, request.target.c_str());
        shop.clearRequests();
    }
}

}  // namespace norvan::bench
