#pragma once

#include <string>

namespace norvan::sampleshop {

// The certificate and private key an HTTPS shop serves with, as PEM files.
struct TlsFiles {
    std::string certificate;
    std::string privateKey;
};

// A self-signed certificate for one IP address and a fresh key, made at run time so that no key
// material is kept in the sources. Both are written into a temporary folder that lives as long as
// this object. A client that trusts the certificate file accepts a shop at that address.
class SelfSignedCertificate {
  public:
    // Throws std::runtime_error when OpenSSL fails or the files cannot be written.
    explicit SelfSignedCertificate(const std::string& ipAddress);
    ~SelfSignedCertificate();  // removes the folder
    SelfSignedCertificate(const SelfSignedCertificate&) = delete;
    SelfSignedCertificate& operator=(const SelfSignedCertificate&) = delete;

    const TlsFiles& files() const { return files_; }

  private:
    std::string folder_;
    TlsFiles files_;
};

}  // namespace norvan::sampleshop
