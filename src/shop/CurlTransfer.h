#pragma once

#include "RestClient.h"
#include "common/Error.h"

#include <curl/curl.h>
#include <QByteArray>
#include <array>

namespace norvan::shop {

// Error("REST request failed: <reason>"): the request got no answer.
Error transportFailure(const char* reason);

// What came back for one request, as received.
struct ReceivedAnswer {
    long status = 0;
    long httpVersion = 0;  // CURL_HTTP_VERSION_*
    QByteArray reason;     // of the last status line
    QByteArray contentType;
    QByteArray body;
    QByteArray redirectUrl;  // where a redirect points; empty when the answer is none

    qint64 maxBodyBytes = 0;
    bool bodyTooLarge = false;
};

// One libcurl easy handle with all that stays the same between the requests of one client: the
// options, the header lines but Authorization, and the buffers an answer is received into. Only
// the address, the method, the body and the Authorization line are set for each request, so a
// request costs no more than libcurl's own work. The handle keeps the connection alive.
class CurlTransfer {
  public:
    explicit CurlTransfer(const RestOptions& options);
    ~CurlTransfer();
    CurlTransfer(const CurlTransfer&) = delete;
    CurlTransfer& operator=(const CurlTransfer&) = delete;

    // Throws Error("REST request failed: <reason>") when no answer came, the deadline included,
    // and AnswerTooLarge when the body grows past the options' maxAnswerBytes.
    ReceivedAnswer perform(HttpMethod method, const QByteArray& url,
                           const QByteArray& authorization, const QByteArray& body,
                           Deadline deadline);

  private:
    // Every request's header lines in the order they go out; the list's nodes live here and
    // point at these texts, so only the Authorization text changes between requests.
    static constexpr std::size_t kHeaderCount = 6;
    static constexpr std::size_t kAuthorizationLine = 4;

    void setMethod(HttpMethod method, const QByteArray& body);

    CURL* curl_;
    std::array<QByteArray, kHeaderCount> headerLines_;
    long totalSeconds_;
    std::array<curl_slist, kHeaderCount> headerList_{};
    ReceivedAnswer received_;
    std::array<char, CURL_ERROR_SIZE> errorText_{};
};

}  // namespace norvan::shop
