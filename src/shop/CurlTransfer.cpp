#include "CurlTransfer.h"

#include <QLocale>
#include <mutex>
#include <utility>

namespace norvan::shop {

Error transportFailure(const char* reason) {
    return Error(QStringLiteral("REST request failed: %1").arg(QString::fromUtf8(reason)));
}

namespace {

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

size_t receiveBody(char* data, size_t size, size_t count, void* target) {
    auto& received = *static_cast<ReceivedAnswer*>(target);
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
    auto& received = *static_cast<ReceivedAnswer*>(target);
    QByteArrayView line(data, static_cast<qsizetype>(size * count));
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

}  // namespace

CurlTransfer::CurlTransfer(const RestOptions& options)
    : headerLines_{"Accept: */*",
                   "Accept-Charset: UTF-8",
                   "Content-Type: application/json",
                   "User-Agent: NorvanECommerce/" NORVAN_PROJECT_VERSION,
                   "Authorization: ",
                   "Expect:"},  // no waiting for "100 Continue" before a body
      totalSeconds_(options.totalSeconds) {
    static std::once_flag initialised;
    std::call_once(initialised, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
    curl_ = curl_easy_init();
    if (curl_ == nullptr) throw transportFailure(curl_easy_strerror(CURLE_FAILED_INIT));
    for (std::size_t i = 0; i < kHeaderCount; ++i) {
        headerList_[i].data = headerLines_[i].data();
        headerList_[i].next = i + 1 < kHeaderCount ? &headerList_[i + 1] : nullptr;
    }
    curl_easy_setopt(curl_, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl_, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl_, CURLOPT_CONNECTTIMEOUT, options.connectSeconds);
    curl_easy_setopt(curl_, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(curl_, CURLOPT_LOW_SPEED_TIME, options.noProgressSeconds);
    const QByteArray caFile = options.caFile.toLocal8Bit();  // libcurl keeps a copy
    if (!caFile.isEmpty()) curl_easy_setopt(curl_, CURLOPT_CAINFO, caFile.constData());
    curl_easy_setopt(curl_, CURLOPT_HTTPHEADER, headerList_.data());
    curl_easy_setopt(curl_, CURLOPT_ERRORBUFFER, errorText_.data());
    curl_easy_setopt(curl_, CURLOPT_WRITEFUNCTION, receiveBody);
    curl_easy_setopt(curl_, CURLOPT_WRITEDATA, &received_);
    curl_easy_setopt(curl_, CURLOPT_HEADERFUNCTION, receiveHeader);
    curl_easy_setopt(curl_, CURLOPT_HEADERDATA, &received_);
    received_.maxBodyBytes = options.maxAnswerBytes;
}

CurlTransfer::~CurlTransfer() {
    curl_easy_cleanup(curl_);
}

ReceivedAnswer CurlTransfer::perform(HttpMethod method, const QByteArray& url,
                                     const QByteArray& authorization, const QByteArray& body,
                                     Deadline deadline) {
    const auto timeLeft =
        std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (timeLeft.count() <= 0) throw answerTookTooLong(totalSeconds_);
    QByteArray& authorizationLine = headerLines_[kAuthorizationLine];
    static constexpr QByteArrayView kAuthorizationName = "Authorization: ";
    if (QByteArrayView(authorizationLine).sliced(kAuthorizationName.size()) != authorization) {
        authorizationLine = kAuthorizationName.toByteArray() + authorization;
        headerList_[kAuthorizationLine].data = authorizationLine.data();
    }
    curl_easy_setopt(curl_, CURLOPT_URL, url.constData());
    curl_easy_setopt(curl_, CURLOPT_TIMEOUT_MS, static_cast<long>(timeLeft.count()));
    setMethod(method, body);
    // The body is received into the last one's buffer: the caller shares it while it keeps the
    // answer, and once that is gone the buffer serves again without a new allocation.
    QByteArray buffer = std::move(received_.body);
    buffer.resize(0);
    const qint64 maxBodyBytes = received_.maxBodyBytes;
    received_ = {};
    received_.body = std::move(buffer);
    received_.maxBodyBytes = maxBodyBytes;
    errorText_[0] = '\0';

    const CURLcode code = curl_easy_perform(curl_);
    // A body is sent from the caller's buffer, which the handle must not point at afterwards.
    if (method != HttpMethod::Get) curl_easy_setopt(curl_, CURLOPT_POSTFIELDS, nullptr);
    if (received_.bodyTooLarge) throw answerTooLarge(received_.maxBodyBytes);
    // libcurl's clock may run a little apart from ours.
    constexpr std::chrono::milliseconds kClockSlack{50};
    if (code == CURLE_OPERATION_TIMEDOUT &&
        std::chrono::steady_clock::now() + kClockSlack >= deadline)
        throw answerTookTooLong(totalSeconds_);
    if (code != CURLE_OK) {
        throw transportFailure(errorText_[0] != '\0' ? errorText_.data()
                                                     : curl_easy_strerror(code));
    }
    char* location = nullptr;
    curl_easy_getinfo(curl_, CURLINFO_RESPONSE_CODE, &received_.status);
    curl_easy_getinfo(curl_, CURLINFO_HTTP_VERSION, &received_.httpVersion);
    curl_easy_getinfo(curl_, CURLINFO_REDIRECT_URL, &location);
    if (location != nullptr) received_.redirectUrl = location;
    return received_;
}

// Each request names its method in full, as the handle keeps the previous request's.
void CurlTransfer::setMethod(HttpMethod method, const QByteArray& body) {
    if (method == HttpMethod::Get) {
        curl_easy_setopt(curl_, CURLOPT_HTTPGET, 1L);
        curl_easy_setopt(curl_, CURLOPT_CUSTOMREQUEST, nullptr);
        return;
    }
    curl_easy_setopt(curl_, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(body.size()));
    curl_easy_setopt(curl_, CURLOPT_POSTFIELDS, body.constData());
    curl_easy_setopt(curl_, CURLOPT_CUSTOMREQUEST, method == HttpMethod::Put ? "PUT" : nullptr);
}

}  // namespace norvan::shop
