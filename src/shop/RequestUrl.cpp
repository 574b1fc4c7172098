#include "RequestUrl.h"

#include "common/Error.h"

#include <QList>
#include <algorithm>
#include <cstring>

namespace norvan::shop {

namespace {

Error invalidUrl(const QString& url) {
    return Error(QStringLiteral("Invalid URL: \"%1\"").arg(url));
}

bool isSchemeCharacter(QChar c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') ||
           c == u'+' || c == u'-' || c == u'.';
}

// Length of a leading scheme word followed by ":", or 0 when the text has none.
qsizetype schemeLength(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && isSchemeCharacter(text[i])) ++i;
    return i > 0 && i < text.size() && text[i] == u':' ? i : 0;
}

bool isHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// Bytes outside "!".."~" and the listed characters become %XX; a "%" that already starts an
// escape stays, so an address can be encoded more than once without change.
QByteArray percentEncode(const QByteArray& bytes, const char* alsoEncoded) {
    QByteArray out;
    out.reserve(bytes.size());
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        const bool keptEscape = c == '%' && i + 2 < bytes.size() && isHexDigit(bytes[i + 1]) &&
                                isHexDigit(bytes[i + 2]);
        const bool encode = c < 0x21 || c > 0x7E || std::strchr(alsoEncoded, c) != nullptr ||
                            (c == '%' && !keptEscape);
        if (encode) {
            static constexpr char kHex[] = "0123456789ABCDEF";
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 0xF];
        } else {
            out += char(c);
        }
    }
    return out;
}

const char kPathEncoded[] = "\"<>\\^`{|}";
const char kQueryEncoded[] = "\"<>'";

// Every parameter goes out as name=value, so one without "=" gets a trailing "=".
QByteArray encodeQuery(const QByteArray& query) {
    QList<QByteArray> parameters;
    for (const QByteArray& parameter : query.split('&')) {
        if (parameter.isEmpty()) continue;
        const qsizetype equals = parameter.indexOf('=');
        const QByteArray name = equals < 0 ? parameter : parameter.left(equals);
        const QByteArray value = equals < 0 ? QByteArray() : parameter.mid(equals + 1);
        parameters.append(percentEncode(name, kQueryEncoded) + '=' +
                          percentEncode(value, kQueryEncoded));
    }
    return parameters.join('&');
}

}  // namespace

QString RequestUrl::normaliseBase(const QString& base) {
    qsizetype first = 0;
    qsizetype last = base.size();
    while (first < last && base[first] <= u' ') ++first;
    while (last > first && base[last - 1] <= u' ') --last;
    QString url = base.mid(first, last - first);
    if (url.isEmpty()) return url;
    const qsizetype scheme = schemeLength(url);
    if (scheme == 0) {
        url.prepend(u"http://");
    } else if (!url.mid(scheme + 1).startsWith(u"//")) {
        throw invalidUrl(url);
    }
    if (url.endsWith(u'/')) url.chop(1);
    return url;
}

QString RequestUrl::normaliseResource(const QString& resource) {
    qsizetype slashes = 0;
    while (slashes < resource.size() && resource[slashes] == u'/') ++slashes;
    return resource.mid(slashes);
}

QString RequestUrl::join(const QString& normalisedBase, const QString& normalisedResource) {
    if (normalisedResource.isEmpty()) return normalisedBase;
    const bool needsSlash =
        !normalisedBase.endsWith(u'/') && !normalisedResource.startsWith(u'/') &&
        !normalisedResource.startsWith(u'?') && !normalisedResource.startsWith(u'#');
    return normalisedBase + (needsSlash ? QStringLiteral("/") : QString()) + normalisedResource;
}

RequestUrl::RequestUrl(const QString& joined) {
    const qsizetype scheme = schemeLength(joined);
    if (scheme == 0 || !joined.mid(scheme + 1).startsWith(u"//")) throw invalidUrl(joined);
    scheme_ = joined.left(scheme).toLower().toUtf8();

    QByteArray rest = joined.mid(scheme + 3).toUtf8();
    takeQuery(rest);
    const qsizetype slash = rest.indexOf('/');
    const QByteArray authority = slash < 0 ? rest : rest.left(slash);
    path_ = percentEncode(slash < 0 ? QByteArray() : rest.mid(slash), kPathEncoded);

    const qsizetype at = authority.lastIndexOf('@');
    userInfo_ = authority.left(at + 1);
    const QByteArray hostPort = authority.mid(at + 1);
    const qsizetype colon = hostPort.lastIndexOf(':');
    if (colon >= 0 && colon > hostPort.lastIndexOf(']')) {
        host_ = hostPort.left(colon);
        port_ = hostPort.mid(colon + 1);
    } else {
        host_ = hostPort;
    }
}

// Reading the joined text finds the fragment, the query and the end of the authority in the
// resource only when the base holds no "#" and no "?"; the resource's bytes and their encoding
// then follow the base's unchanged, as percent-encoding looks no further than the "/" joining
// them and UTF-8 is made one character at a time when no surrogate sits at the seam.
std::optional<RequestUrl> RequestUrl::reusableBase(const QString& normalisedBase) {
    const bool reusable = schemeLength(normalisedBase) > 0 && !normalisedBase.endsWith(u'/') &&
                          !normalisedBase.contains(u'?') && !normalisedBase.contains(u'#') &&
                          std::none_of(normalisedBase.begin(), normalisedBase.end(),
                                       [](QChar c) { return c.isSurrogate(); });
    if (!reusable) return std::nullopt;
    return RequestUrl(normalisedBase);
}

RequestUrl RequestUrl::below(const QString& normalisedResource) const {
    RequestUrl url = *this;
    if (normalisedResource.isEmpty()) return url;
    // As join does: a resource that starts with a query or fragment follows the base at once.
    const bool joinedBySlash = !normalisedResource.startsWith(u'/') &&
                               !normalisedResource.startsWith(u'?') &&
                               !normalisedResource.startsWith(u'#');
    QByteArray rest =
        (joinedBySlash ? QByteArray("/") : QByteArray()) + normalisedResource.toUtf8();
    url.takeQuery(rest);
    url.path_ += percentEncode(rest, kPathEncoded);
    return url;
}

// Drops the fragment (never sent) and takes the query off the end of rest.
void RequestUrl::takeQuery(QByteArray& rest) {
    const qsizetype fragment = rest.indexOf('#');
    if (fragment >= 0) rest.truncate(fragment);
    const qsizetype question = rest.indexOf('?');
    if (question >= 0) {
        query_ = encodeQuery(rest.mid(question + 1));
        rest.truncate(question);
    }
}

QByteArray RequestUrl::encoded() const {
    QByteArray url = scheme_ + "://" + userInfo_ + host_;
    if (!port_.isEmpty()) url += ':' + port_;
    url += path_;
    if (!query_.isEmpty()) url += '?' + query_;
    return url;
}

QByteArray RequestUrl::signatureBase() const {
    return origin() + (path_.isEmpty() ? QByteArray("/") : path_);
}

QByteArray RequestUrl::origin() const {
    const bool defaultPort = port_.isEmpty() || (scheme_ == "http" && port_ == "80") ||
                             (scheme_ == "https" && port_ == "443");
    QByteArray origin = scheme_ + "://" + host_.toLower();
    if (!defaultPort) origin += ':' + port_;
    return origin;
}

bool RequestUrl::isHttpsUpgradeOf(const RequestUrl& from) const {
    const QByteArray host = host_.toLower();
    return origin() == "https://" + host && from.origin() == "http://" + host;
}

}  // namespace norvan::shop
