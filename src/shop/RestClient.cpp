#include "RestClient.h"

#include "CurlTransfer.h"
#include "RequestUrl.h"
#include "common/Error.h"

#include <QStringDecoder>

namespace norvan::shop {

namespace {

constexpr int kMaxRedirects = 10;

// The shop answers in UTF-8; an answer that names another character set the platform knows is
// converted to UTF-8.
QByteArray bodyAsUtf8(const QByteArray& body, const QByteArray& contentType) {
    static constexpr QByteArrayView kCharset = "charset=";
    const qsizetype at = contentType.toLower().indexOf(kCharset);
    QByteArray charset = at < 0 ? QByteArray() : contentType.mid(at + kCharset.size());
    charset.truncate(charset.indexOf(';') < 0 ? charset.size() : charset.indexOf(';'));
    charset = charset.trimmed();
    if (charset.size() >= 2 && charset.startsWith('"') && charset.endsWith('"')) {
        charset = charset.mid(1, charset.size() - 2);
    }
    if (charset.isEmpty() || qstricmp(charset.constData(), "utf-8") == 0) return body;
    QStringDecoder decoder(charset.constData());
    if (!decoder.isValid() || decoder.name() == QByteArrayView("UTF-8")) return body;
    return QString(decoder(body)).toUtf8();
}

QString versionText(long curlVersion) {
    switch (curlVersion) {
        case CURL_HTTP_VERSION_1_0:
            return QStringLiteral("HTTP/1.0 ");
        case CURL_HTTP_VERSION_1_1:
            return QStringLiteral("HTTP/1.1 ");
        case CURL_HTTP_VERSION_2_0:
            return QStringLiteral("HTTP/2.0 ");
        default:
            return {};
    }
}

QByteArray methodName(HttpMethod method) {
    switch (method) {
        case HttpMethod::Post:
            return QByteArrayLiteral("POST");
        case HttpMethod::Put:
            return QByteArrayLiteral("PUT");
        case HttpMethod::Get:
            break;
    }
    return QByteArrayLiteral("GET");
}

bool isRedirect(long status) {
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

}  // namespace

RestClient::RestClient(const QString& baseUrl, std::unique_ptr<Authenticator> authenticator,
                       const RestOptions& options)
    : baseUrl_(RequestUrl::normaliseBase(baseUrl)),
      base_(RequestUrl::reusableBase(baseUrl_)),
      authenticator_(std::move(authenticator)),
      totalTime_(options.totalSeconds),
      transfer_(std::make_unique<CurlTransfer>(options)) {}

RestClient::~RestClient() = default;

// Redirects are followed here rather than by libcurl so that every hop gets an OAuth signature
// of its own address and a fresh nonce, and so that credentials never leave the shop: every hop
// followed stays on the origin of the one before or only moves it to https.
RestResponse RestClient::execute(HttpMethod method, const QString& resource,
                                 const QByteArray& body) {
    const Deadline deadline = std::chrono::steady_clock::now() + totalTime_;
    const QString normalisedResource = RequestUrl::normaliseResource(resource);
    RequestUrl url = base_ ? base_->below(normalisedResource)
                           : RequestUrl(RequestUrl::join(baseUrl_, normalisedResource));
    for (int hop = 0;; ++hop) {
        QByteArray redirect;
        RestResponse response = send(method, url, body, deadline, redirect);
        if (redirect.isEmpty()) return response;
        if (hop == kMaxRedirects)
            throw transportFailure(curl_easy_strerror(CURLE_TOO_MANY_REDIRECTS));
        RequestUrl next(QString::fromUtf8(redirect));
        if (next.origin() != url.origin() && !next.isHttpsUpgradeOf(url)) {
            response.movedTo = QString::fromUtf8(redirect);
            return response;
        }
        url = std::move(next);
    }
}

RestResponse RestClient::send(HttpMethod method, const RequestUrl& url, const QByteArray& body,
                              Deadline deadline, QByteArray& redirect) {
    const ReceivedAnswer received =
        transfer_->perform(method, url.encoded(),
                           authenticator_->authorization(methodName(method), url), body, deadline);
    const QString reason = QString::fromUtf8(received.reason);
    if (isRedirect(received.status)) redirect = received.redirectUrl;
    if (received.status >= 500 && received.status <= 599) {
        throw Error(versionText(received.httpVersion) + QString::number(received.status) + u' ' +
                    reason);
    }
    return {received.status, reason, bodyAsUtf8(received.body, received.contentType), {}};
}

}  // namespace norvan::shop
