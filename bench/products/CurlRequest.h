#pragma once

#include <curl/curl.h>

#include <memory>
#include <string>

namespace norvan::bench {

struct CurlDeleter {
    void operator()(CURL* curl) const { curl_easy_cleanup(curl); }
};
struct HeaderListDeleter {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
using CurlHandle = std::unique_ptr<CURL, CurlDeleter>;
using CurlHeaderList = std::unique_ptr<curl_slist, HeaderListDeleter>;

// Sets the handle up for its next request: a GET without a body, another method with the body.
// The method and the body must last until the request is sent.
void setUpRequest(CURL* curl, const char* method, const std::string& url, const std::string& body);

}  // namespace norvan::bench
