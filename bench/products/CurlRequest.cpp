#include "CurlRequest.h"

#include <string_view>

namespace norvan::bench {

void setUpRequest(CURL* curl, const char* method, const std::string& url, const std::string& body) {
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    if (std::string_view(method) == "GET") {
        curl_easy_setopt(curl, CURLOPT_HTTPGET, 1L);
        curl_easy_setopt(curl, CURLOPT_CUSTOMREQUEST, nullptr);
    } else {
        curl_easy_setopt(curl, CURLOPT_POSTFIELDS, body.c_str());
        curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE, static_cast<long>(body.size()));
        curl_easy_setopt(curl, CURLOPT_CUSTOMREQUEST, method);
    }
}

}  // namespace norvan::bench
