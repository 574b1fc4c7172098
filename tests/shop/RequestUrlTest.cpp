#include "shop/RequestUrl.h"
#include "support/ExpectError.h"
#include "support/Printers.h"

#include <gtest/gtest.h>

namespace norvan::shop {
namespace {

QByteArray sentUrl(const QString& base, const QString& resource) {
    return RequestUrl(RequestUrl::join(RequestUrl::normaliseBase(base),
                                       RequestUrl::normaliseResource(resource)))
        .encoded();
}

// The address a client sends: the base taken apart once when it can be, else read whole.
QByteArray sentByClient(const QString& base, const QString& resource) {
    const QString normalisedBase = RequestUrl::normaliseBase(base);
    const QString normalisedResource = RequestUrl::normaliseResource(resource);
    const std::optional<RequestUrl> reused = RequestUrl::reusableBase(normalisedBase);
    return reused ? reused->below(normalisedResource).encoded()
                  : RequestUrl(RequestUrl::join(normalisedBase, normalisedResource)).encoded();
}

struct UrlCase {
    const char* base;
    const char* resource;
    const char* sent;
};

TEST(RequestUrlTest, JoinsBaseAndResourceAndEncodesForTheWire) {
    const UrlCase cases[] = {
        {"http://shop.test/wp-json/wc/v3/", "products/",
         "http://shop.test/wp-json/wc/v3/products/"},
        {"http://shop.test/wp-json/wc/v3/", "///orders/727/",
         "http://shop.test/wp-json/wc/v3/orders/727/"},
        {"http://shop.test/wp-json/wc/v3", "orders", "http://shop.test/wp-json/wc/v3/orders"},
        {"  shop.test/wp-json/wc/v3/\t", "products/", "http://shop.test/wp-json/wc/v3/products/"},
        {"http://shop.test/wp-json/wc/v3//", "orders/", "http://shop.test/wp-json/wc/v3/orders/"},
        {"http://shop.test/wp-json/wc/v3/", "?sku=A", "http://shop.test/wp-json/wc/v3?sku=A"},
        {"http://shop.test/wp-json/wc/v3/", "", "http://shop.test/wp-json/wc/v3"},
        {"HTTPS://Shop.test:8443/api/", "orders?status=on-hold",
         "https://Shop.test:8443/api/orders?status=on-hold"},
        {"http://shop.test/", "products?sku=A B", "http://shop.test/products?sku=A%20B"},
        {"http://shop.test/", "products?sku=A+B", "http://shop.test/products?sku=A+B"},
        {"http://shop.test/", "products?sku=D-3%2Fx", "http://shop.test/products?sku=D-3%2Fx"},
        {"http://shop.test/", "products?sku=50%&x", "http://shop.test/products?sku=50%25&x="},
        {"http://shop.test/", "products?sku=a'b\"<>",
         "http://shop.test/products?sku=a%27b%22%3C%3E"},
        {"http://shop.test/", "products?sku=A#1", "http://shop.test/products?sku=A"},
        {"http://shop.test/", "a b/{x}|^`\\'", "http://shop.test/a%20b/%7Bx%7D%7C%5E%60%5C'"},
        {"http://shop.test/", "products?sku=کتاب",
         "http://shop.test/products?sku=%DA%A9%D8%AA%D8%A7%D8%A8"},
        {"http://shop.test:8080", "?sku=A/b#c", "http://shop.test:8080?sku=A/b"},
        {"http://shop.test:8080", "x@y:1/z", "http://shop.test:8080/x@y:1/z"},
        {"http://shop.test/a%4", "b", "http://shop.test/a%254/b"},
        {"http://shop.test/a%41", "b%4", "http://shop.test/a%41/b%254"},
        {"http://shop.test/v3?lang=fa", "orders", "http://shop.test/v3?lang=fa/orders"},
        {"http://shop.test/v3#top", "orders", "http://shop.test/v3"},
    };
    for (const UrlCase& c : cases) {
        const QString base = QString::fromUtf8(c.base);
        const QString resource = QString::fromUtf8(c.resource);
        EXPECT_EQ(sentUrl(base, resource), c.sent) << c.base << " + " << c.resource;
        EXPECT_EQ(sentByClient(base, resource), c.sent) << c.base << " + " << c.resource;
    }
}

TEST(RequestUrlTest, RefusesAddressesWithoutScheme) {
    EXPECT_ERROR(RequestUrl::normaliseBase(QStringLiteral("host:8443/path")),
                 "Invalid URL: \"host:8443/path\"");
    EXPECT_EQ(RequestUrl::normaliseBase(QStringLiteral(" \r\n")), QString());
    // An empty base gets the slash that joins it to the resource.
    EXPECT_ERROR(RequestUrl(RequestUrl::join(QString(), QStringLiteral("products/"))),
                 "Invalid URL: \"/products/\"");
}

TEST(RequestUrlTest, SignatureBaseHasNoQueryAndNoDefaultPort) {
    EXPECT_EQ(RequestUrl(QStringLiteral("HTTP://Shop.Test:80/Api/orders?status=x")).signatureBase(),
              "http://shop.test/Api/orders");
    EXPECT_EQ(RequestUrl(QStringLiteral("https://shop.test:443")).signatureBase(),
              "https://shop.test/");
    EXPECT_EQ(RequestUrl(QStringLiteral("http://127.0.0.1:8080/a b")).signatureBase(),
              "http://127.0.0.1:8080/a%20b");
}

TEST(RequestUrlTest, AnHttpsUpgradeKeepsTheHostAndTheDefaultPorts) {
    const struct {
        const char* from;
        const char* to;
        bool upgrade;
    } cases[] = {
        {"http://shop.test/wp-json/orders", "https://shop.test/wp-json/orders?x=1", true},
        {"http://Shop.Test:80/a", "https://shop.test:443/b", true},
        {"http://shop.test:8080/a", "https://shop.test/a", false},
        {"http://shop.test/a", "https://shop.test:8443/a", false},
        {"http://shop.test/a", "https://www.shop.test/a", false},
        {"https://shop.test/a", "https://shop.test/b", false},
        {"https://shop.test/a", "http://shop.test/a", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RequestUrl(QString::fromUtf8(c.to))
                      .isHttpsUpgradeOf(RequestUrl(QString::fromUtf8(c.from))),
                  c.upgrade)
            << c.from << " -> " << c.to;
    }
}

}  // namespace
}  // namespace norvan::shop
