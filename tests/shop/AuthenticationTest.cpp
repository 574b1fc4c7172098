#include "shop/BasicAuth.h"
#include "shop/BasicToken.h"
#include "shop/OAuth1Signer.h"
#include "shop/RequestUrl.h"
#include "support/Printers.h"

#include <QCryptographicHash>

#include <gtest/gtest.h>

namespace norvan::shop {
namespace {

const QString kKey = QStringLiteral("ck_4f1c2d0b8e7a6950c3b2a1d0e9f8a7b6c5d4e3f2");
const QString kSecret = QStringLiteral("cs_9a8b7c6d5e4f30211f2e3d4c5b6a79881a2b3c4d");

OAuth1Signer fixedSigner(quint32 random = 12345) {
    return OAuth1Signer(
        kKey, kSecret, [] { return QDateTime::fromSecsSinceEpoch(1700000000); },
        [random] { return random; });
}

// Signature made by the shop itself for this request.
TEST(OAuth1SignerTest, SignsTheQueryParametersNotTheQueryInTheUrl) {
    const RequestUrl url(
        QStringLiteral("http://127.0.0.1:8080/wp-json/wc/v3/orders?status=processing"));
    EXPECT_EQ(fixedSigner().signature("GET", url, "1700000000", "abc123"),
              "AFL4wKOfy8bzRYuGSVi7qnUJ1Pc=");
}

TEST(OAuth1SignerTest, ReadsTheQueryAsTheShopDoes) {
    // "+" is a blank and escapes are decoded before the parameters are encoded again, so the
    // same query written three ways signs alike.
    const OAuth1Signer signer = fixedSigner();
    const auto sign = [&](const char* url) {
        return signer.signature("GET", RequestUrl(QString::fromUtf8(url)), "1700000000", "n");
    };
    EXPECT_EQ(sign("http://h/p?sku=A B&b=~"), sign("http://h/p?b=%7E&sku=A+B"));
    EXPECT_EQ(sign("http://h/p?flag"), sign("http://h/p?flag="));
    EXPECT_NE(sign("http://h/p?sku=A"), sign("http://h/p"));
    EXPECT_NE(sign("http://h/p?sku=A"), sign("http://h/p?sku=B"));
}

TEST(OAuth1SignerTest, HeaderCarriesTheSortedProtocolParameters) {
    const RequestUrl url(QStringLiteral("http://shop.test/wp-json/wc/v3/orders/727/"));
    const QByteArray nonce =
        QCryptographicHash::hash("170000000012345", QCryptographicHash::Md5).toHex();
    OAuth1Signer signer = fixedSigner();
    const QByteArray signature =
        signer.signature("PUT", url, "1700000000", nonce).toPercentEncoding();
    EXPECT_EQ(signer.authorization("PUT", url),
              "OAuth oauth_consumer_key=\"" + kKey.toUtf8() + "\", oauth_nonce=\"" + nonce +
                  "\", oauth_signature=\"" + signature +
                  "\", oauth_signature_method=\"HMAC-SHA1\", oauth_timestamp=\"1700000000\", "
                  "oauth_version=\"1.0\"");
}

TEST(OAuth1SignerTest, NoncesDifferWithinOneSecond) {
    quint32 draw = 0;
    OAuth1Signer signer(
        kKey, kSecret, [] { return QDateTime::fromSecsSinceEpoch(1700000000); },
        [&draw] { return ++draw; });
    const RequestUrl url(QStringLiteral("http://shop.test/p"));
    EXPECT_NE(signer.authorization("GET", url), signer.authorization("GET", url));
}

TEST(BasicAuthTest, SendsUserAndPasswordInBase64) {
    const RequestUrl url(QStringLiteral("http://shop.test/p"));
    EXPECT_EQ(BasicAuth(kKey, kSecret).authorization("GET", url),
              "Basic " + (kKey + u':' + kSecret).toUtf8().toBase64());
    EXPECT_EQ(BasicAuth(QStringLiteral("user"), QString()).authorization("GET", url),
              "Basic dXNlcjo=");
    EXPECT_EQ(BasicAuth(QString::fromUtf8("مدیر"), QStringLiteral("p")).authorization("GET", url),
              "Basic " + QString::fromUtf8("مدیر:p").toUtf8().toBase64());
}

TEST(BasicTokenTest, BreaksAfterEvery76thCharacter) {
    const QString user = QStringLiteral("u");
    EXPECT_EQ(basicToken(user, QString(50, u'p')),  // 52 bytes
              QString::fromLatin1(QByteArray("u:" + QByteArray(50, 'p')).toBase64()));
    const QString at57 = basicToken(user, QString(55, u'p'));
    EXPECT_EQ(at57.size(), 78);
    EXPECT_TRUE(at57.endsWith(u"\r\n"));
    const QString at58 = basicToken(user, QString(56, u'p'));
    EXPECT_EQ(at58.size(), 82);
    EXPECT_EQ(at58.mid(76, 2), QStringLiteral("\r\n"));
    EXPECT_EQ(QString(at58).remove(QStringLiteral("\r\n")),
              QString::fromLatin1(QByteArray("u:" + QByteArray(56, 'p')).toBase64()));
}

}  // namespace
}  // namespace norvan::shop
