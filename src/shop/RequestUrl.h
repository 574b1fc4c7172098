#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace norvan::shop {

// The address of one request: a base address and a resource joined, then taken apart and
// percent-encoded for the wire.
class RequestUrl {
  public:
    // Trims blanks and control characters, puts "http://" before an address without a scheme and
    // drops one final "/". Throws Error("Invalid URL: \"...\"") for a scheme-like start without
    // "//" (host:8443/path), which no later step could make sense of.
    static QString normaliseBase(const QString& base);
    static QString normaliseResource(const QString& resource);  // without its leading "/"s
    static QString join(const QString& normalisedBase, const QString& normalisedResource);

    // Throws Error("Invalid URL: \"<joined>\"") when the text does not start with scheme "://".
    explicit RequestUrl(const QString& joined);

    // A normalised base address taken apart once, for the requests of a client to reuse; empty
    // for a base that the resource could change the reading of (no scheme, a query or fragment,
    // a final "/", a surrogate), whose requests are read whole.
    static std::optional<RequestUrl> reusableBase(const QString& normalisedBase);
    // The same address as RequestUrl(join(base, normalisedResource)), where this is the base:
    // only the resource is read and encoded.
    RequestUrl below(const QString& normalisedResource) const;

    QByteArray encoded() const;  // scheme://authority/path?query as sent; no fragment
    // The base-string URL of an OAuth signature: lower-case scheme and host, the port only when
    // it is not the scheme's default, the path; no query.
    QByteArray signatureBase() const;
    QByteArray query() const { return query_; }  // encoded, without "?"
    // Scheme, host and a port other than the default: a redirect that keeps it (or only moves it
    // to https) stays with the shop the credentials are for.
    QByteArray origin() const;
    // This address moves `from` to https on the same host, both on their scheme's default port:
    // what hosting that enforces https answers, still the same shop.
    bool isHttpsUpgradeOf(const RequestUrl& from) const;

  private:
    void takeQuery(QByteArray& rest);

    QByteArray scheme_;
    QByteArray userInfo_;  // with its "@", or empty
    QByteArray host_;
    QByteArray port_;
    QByteArray path_;
    QByteArray query_;
};

}  // namespace norvan::shop
