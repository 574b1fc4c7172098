#include "RestClient.h"

#include "RequestUrl.h"
#include "common/Error.h"

#include <curl/curl.h>
#include <QLocale>
#include <QScopeGuard>
#include <QStringDecoder>
#include <mutex>

namespace norvan::shop {

namespace {

constexpr int kMaxRedirects = 10;

Error transportFailure(const char* reason) {
    return Error(QStringLiteral("REST request failed: %1").arg(QString::fromUtf8(reason)));
}

class HeaderList {
  public:
    HeaderList() = default;
    HeaderList(const HeaderList&) = delete;
    HeaderList& operator=(const HeaderList&) = delete;
    ~HeaderList() { curl_slist_free_all(list_); }

    void add(const QByteArray& line) {
        curl_slist* longer = curl_slist_append(list_, line.constData());
        if (longer == nullptr) throw transportFailure(curl_easy_strerror(CURLE_OUT_OF_MEMORY));
        list_ = longer;
    }
    curl_slist* get() const { return list_; }

  private:
    curl_slist* list_ = nullptr;
};

struct Received {
    explicit Received(qint64 bodyLimit) : maxBodyBytes(bodyLimit) {}

    qint64 maxBodyBytes;
    bool bodyTooLarge = false;
    QByteArray body;
    QByteArray reason;
    QByteArray contentType;
};

size_t receiveBody(char* data, size_t size, size_t count, void* target) {
    auto& received = *static_cast<Received*>(target);
    const size_t bytes = size * count;
    if (received.body.size() + static_cast<qint64>(bytes) > received.maxBodyBytes) {
        received.bodyTooLarge = true;
        return 0;  // ends the transfer
    }
    received.body.append(data, static_cast<qsizetype>(bytes));
    return bytes;
}

// Called once per header line; a later status line (after an interim answer) replaces the
// reason phrase and headers of the one before.
size_t receiveHeader(char* data, size_t size, size_t count, void* target) {
    auto& received = *static_cast<Received*>(target);
    QByteArrayView line(data, qsizetype(size * count));
    while (line.endsWith('\n') || line.endsWith('\r')) line.chop(1);
    static constexpr QByteArrayView kContentType = "content-type:";
    if (line.startsWith("HTTP/")) {
        const qsizetype codeStart = line.indexOf(' ');
        const qsizetype reasonStart = codeStart < 0 ? -1 : line.indexOf(' ', codeStart + 1);
        received.reason =
            reasonStart < 0 ? QByteArray() : line.sliced(reasonStart + 1).toByteArray();
        received.contentType.clear();
    } else if (line.size() >= kContentType.size() &&
               qstrnicmp(line.data(), kContentType.data(), kContentType.size()) == 0) {
        received.contentType = line.sliced(kContentType.size()).trimmed().toByteArray();
    }
    return size * count;
}

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
            return "POST";
        case HttpMethod::Put:
            return "PUT";
        case HttpMethod::Get:
            break;
    }
    return "GET";
}

AnswerTooLarge answerTooLarge(qint64 maxBytes) {
    return AnswerTooLarge(
        QStringLiteral("REST request failed: The shop's answer is larger than %1.")
            .arg(QLocale::c().formattedDataSize(maxBytes, 0, QLocale::DataSizeTraditionalFormat)));
}

Error answerTookTooLong(long seconds) {
    return Error(
        QStringLiteral("REST request failed: The shop's answer was not complete after %1 s.")
            .arg(seconds));
}

bool isRedirect(long status) {
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

}  // namespace

void RestClient::CurlDeleter::operator()(void* handle) const {
    curl_easy_cleanup(static_cast<CURL*>(handle));
}

RestClient::RestClient(const QString& baseUrl, std::unique_ptr<Authenticator> authenticator,
                       RestOptions options)
    : baseUrl_(RequestUrl::normaliseBase(baseUrl)),
      authenticator_(std::move(authenticator)),
      options_(std::move(options)) {
    static std::once_flag initialised;
    std::call_once(initialised, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
    curl_.reset(curl_easy_init());
    if (!curl_) throw transportFailure(curl_easy_strerror(CURLE_FAILED_INIT));
}

RestClient::~RestClient() = default;

// Redirects are followed here rather than by libcurl so that every hop gets an OAuth signature
// of its own address and a fresh nonce, and so that credentials never leave the shop: every hop
// followed stays on the origin of the one before or only moves it to https.
RestResponse RestClient::execute(HttpMethod method, const QString& resource,
                                 const QByteArray& body) {
    const Deadline deadline =
        std::chrono::steady_clock::now() + std::chrono::seconds(options_.totalSeconds);
    RequestUrl url(RequestUrl::join(baseUrl_, RequestUrl::normaliseResource(resource)));
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
    const auto timeLeft =
        std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (timeLeft.count() <= 0) throw answerTookTooLong(options_.totalSeconds);
    CURL* curl = curl_.get();
    curl_easy_reset(curl);  // keeps the open connection

    HeaderList headers;
    headers.add("Accept: */*");
    headers.add("Accept-Charset: UTF-8");
    headers.add("Content-Type: application/json");
    headers.add("User-Agent: NorvanECommerce/" NORVAN_PROJECT_VERSION);
    headers.add("Authorization: " + authenticator_->authorization(methodName(method), url));
    headers.add("Expect:");  // no waiting for "100 Continue" before a body

    Received received(options_.maxAnswerBytes);
    char errorText[CURL_ERROR_SIZE] = {};
    // The handle must not point at this frame's buffers once it returns.
    const auto forgetBuffers = qScopeGuard([curl] { curl_easy_reset(curl); });
    const QByteArray address = url.encoded();
    curl_easy_setopt(curl, CURLOPT_URL, address.constData());
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, options_.connectSeconds);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, options_.noProgressSeconds);
    curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, static_cast<long>(timeLeft.count()));
    const QByteArray caFile = options_.caFile.toLocal8Bit();
    if (!caFile.isEmpty()) curl_easy_setopt(curl, CURLOPT_CAINFO, caFile.constData());
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers.get());
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, errorText);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, receiveBody);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &received);
    curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, receiveHeader);
    curl_easy_setopt(curl, CURLOPT_HEADERDATA, &received);
    if (method == HttpMethod::Get) {
        curl_easy_setopt(curl, CURLOPT_HTTPGET, 1L);
    } else {
        curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE_LARGE, curl_off_t(body.size()));
        curl_easy_setopt(curl, CURLOPT_POSTFIELDS, body.constData());
        if (method == HttpMethod::Put) curl_easy_setopt(curl, CURLOPT_CUSTOMREQUEST, "PUT");
    }

    const CURLcode code = curl_easy_perform(curl);
    if (received.bodyTooLarge) throw answerTooLarge(options_.maxAnswerBytes);
    // libcurl's clock may run a little apart from ours.
    constexpr std::chrono::milliseconds kClockSlack{50};
    if (code == CURLE_OPERATION_TIMEDOUT &&
        std::chrono::steady_clock::now() + kClockSlack >= deadline)
        throw answerTookTooLong(options_.totalSeconds);
    if (code != CURLE_OK) {
        throw transportFailure(errorText[0] != '\0' ? errorText : curl_easy_strerror(code));
    }

    long status = 0;
    long version = 0;
    char* location = nullptr;
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
    curl_easy_getinfo(curl, CURLINFO_HTTP_VERSION, &version);
    curl_easy_getinfo(curl, CURLINFO_REDIRECT_URL, &location);
    const QString reason = QString::fromUtf8(received.reason);
    if (isRedirect(status) && location != nullptr) redirect = location;
    if (status >= 500 && status <= 599) {
        throw Error(versionText(version) + QString::number(status) + u' ' + reason);
    }
    return {status, reason, bodyAsUtf8(received.body, received.contentType), {}};
}

}  // namespace norvan::shop
