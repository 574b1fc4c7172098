#include "OAuth1Signer.h"

#include "RequestUrl.h"

#include <QCryptographicHash>
#include <QList>
#include <QMessageAuthenticationCode>
#include <QRandomGenerator>
#include <algorithm>
#include <utility>

namespace norvan::shop {

namespace {

using Parameter = std::pair<QByteArray, QByteArray>;  // both percent-encoded

// RFC 3986: all but A-Z, a-z, 0-9, "-", ".", "_" and "~" as upper-case %XX.
QByteArray encode(const QByteArray& bytes) {
    return bytes.toPercentEncoding();
}

// As the shop reads a query: "+" is a blank, escapes are decoded.
QByteArray decodeQueryPart(QByteArray part) {
    part.replace('+', ' ');
    return QByteArray::fromPercentEncoding(part);
}

QList<Parameter> sortedParameters(QList<Parameter> parameters) {
    std::sort(parameters.begin(), parameters.end());  // byte-wise by name, then value
    return parameters;
}

}  // namespace

OAuth1Signer::RandomSource OAuth1Signer::systemRandom() {
    return [] { return QRandomGenerator::global()->bounded(2147483647u); };
}

OAuth1Signer::OAuth1Signer(const QString& consumerKey, const QString& consumerSecret,
                           common::Clock clock, RandomSource random)
    : consumerKey_(consumerKey.toUtf8()),
      consumerSecret_(consumerSecret.toUtf8()),
      clock_(std::move(clock)),
      random_(std::move(random)) {}

QByteArray OAuth1Signer::authorization(const QByteArray& method, const RequestUrl& url) {
    const QByteArray timestamp = QByteArray::number(clock_().toSecsSinceEpoch());
    const QByteArray nonce =
        QCryptographicHash::hash(timestamp + QByteArray::number(random_()), QCryptographicHash::Md5)
            .toHex();
    return authorization(method, url, timestamp, nonce);
}

QByteArray OAuth1Signer::authorization(const QByteArray& method, const RequestUrl& url,
                                       const QByteArray& timestamp, const QByteArray& nonce) const {
    const QList<Parameter> parameters = sortedParameters({
        {"oauth_consumer_key", encode(consumerKey_)},
        {"oauth_nonce", encode(nonce)},
        {"oauth_signature", encode(signature(method, url, timestamp, nonce))},
        {"oauth_signature_method", "HMAC-SHA1"},
        {"oauth_timestamp", encode(timestamp)},
        {"oauth_version", "1.0"},
    });
    QList<QByteArray> fields;
    for (const auto& [name, value] : parameters) fields.append(name + "=\"" + value + '"');
    return "OAuth " + fields.join(", ");
}

QByteArray OAuth1Signer::signature(const QByteArray& method, const RequestUrl& url,
                                   const QByteArray& timestamp, const QByteArray& nonce) const {
    QList<Parameter> parameters = {
        {"oauth_consumer_key", encode(consumerKey_)},
        {"oauth_nonce", encode(nonce)},
        {"oauth_signature_method", "HMAC-SHA1"},
        {"oauth_timestamp", encode(timestamp)},
        {"oauth_version", "1.0"},
    };
    if (!url.query().isEmpty()) {
        for (const QByteArray& field : url.query().split('&')) {
            const qsizetype equals = field.indexOf('=');
            const QByteArray name = equals < 0 ? field : field.left(equals);
            const QByteArray value = equals < 0 ? QByteArray() : field.mid(equals + 1);
            parameters.append({encode(decodeQueryPart(name)), encode(decodeQueryPart(value))});
        }
    }
    QList<QByteArray> normalised;
    for (const auto& [name, value] : sortedParameters(parameters))
        normalised.append(name + '=' + value);

    const QByteArray baseString =
        method.toUpper() + '&' + encode(url.signatureBase()) + '&' + encode(normalised.join('&'));
    // The shop keys the signature with the secret as it is, not percent-encoded.
    return QMessageAuthenticationCode::hash(baseString, consumerSecret_ + '&',
                                            QCryptographicHash::Sha1)
        .toBase64();
}

}  // namespace norvan::shop
