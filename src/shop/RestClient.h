#pragma once

#include "Authenticator.h"
#include "RequestUrl.h"
#include "RestOptions.h"
#include "common/Error.h"

#include <QByteArray>
#include <QString>
#include <chrono>
#include <memory>
#include <optional>

namespace norvan::shop {

class CurlTransfer;

enum class HttpMethod { Get, Post, Put };

using Deadline = std::chrono::steady_clock::time_point;

// An answer larger than RestOptions::maxAnswerBytes: a fault of what the shop sends rather than
// of its way here, so that asking again brings the same.
class AnswerTooLarge : public Error {
  public:
    using Error::Error;
};

struct RestResponse {
    long status = 0;
    QString reason;   // the reason phrase of the final status line
    QByteArray body;  // in UTF-8, whatever character set the answer named
    // Where a redirect to another origin pointed; the response is then that redirect's.
    QString movedTo;
};

// The HTTP side of the shop client: one libcurl handle, so every request of one client travels
// over the same kept-alive connection, set up once with all that its requests share. Every request
// carries Accept "*/*", Accept-Charset "UTF-8", Content-Type "application/json", User-Agent
// "NorvanECommerce/<version>" and the authenticator's Authorization.
class RestClient {
  public:
    // Throws Error("Invalid URL: ...") for a base address such as host:8443/path.
    RestClient(const QString& baseUrl, std::unique_ptr<Authenticator> authenticator,
               const RestOptions& options = {});
    ~RestClient();
    RestClient(const RestClient&) = delete;
    RestClient& operator=(const RestClient&) = delete;

    // Sends the request, following redirects with the method and body kept: within the origin,
    // and from http to https on the same host with the default ports, as hosting that enforces
    // https does. A redirect anywhere else is not followed; it comes back in the response with
    // its address in movedTo. Throws Error with "Invalid URL: \"...\"" (no scheme),
    // "REST request failed: <reason>" (transport, a time limit of the options included) or
    // "HTTP/1.1 500 Internal Server Error" (a final status of 500 to 599), and AnswerTooLarge
    // with "REST request failed: The shop's answer is larger than 64 MB."; any other final status
    // comes back in the response.
    RestResponse execute(HttpMethod method, const QString& resource, const QByteArray& body = {});

  private:
    // One request without following a redirect; its target, if any, goes to redirect.
    RestResponse send(HttpMethod method, const RequestUrl& url, const QByteArray& body,
                      Deadline deadline, QByteArray& redirect);

    QString baseUrl_;
    std::optional<RequestUrl> base_;  // taken apart once, when the resources cannot change it
    std::unique_ptr<Authenticator> authenticator_;
    std::chrono::seconds totalTime_;  // for a request with all its redirects
    std::unique_ptr<CurlTransfer> transfer_;
};

}  // namespace norvan::shop
