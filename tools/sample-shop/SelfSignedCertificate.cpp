#include "SelfSignedCertificate.h"

#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/rand.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <stdexcept>

namespace norvan::sampleshop {

namespace {

constexpr long kValidSeconds = 24 * 60 * 60;

struct OpenSslFree {
    void operator()(EVP_PKEY* key) const { EVP_PKEY_free(key); }
    void operator()(X509* certificate) const { X509_free(certificate); }
    void operator()(X509_EXTENSION* extension) const { X509_EXTENSION_free(extension); }
    void operator()(std::FILE* file) const { std::fclose(file); }
};

[[noreturn]] void fail(const std::string& what) {
    throw std::runtime_error("cannot make the sample shop's certificate: " + what);
}

void addExtension(X509* certificate, int nid, const std::string& value) {
    X509V3_CTX context;
    X509V3_set_ctx_nodb(&context);
    X509V3_set_ctx(&context, certificate, certificate, nullptr, nullptr, 0);
    const std::unique_ptr<X509_EXTENSION, OpenSslFree> extension(
        X509V3_EXT_conf_nid(nullptr, &context, nid, value.c_str()));
    if (!extension || X509_add_ext(certificate, extension.get(), -1) != 1) fail(value);
}

// Self-signed and marked as an authority, as "openssl req -x509" makes it, so that it is its own
// trust anchor; the address in subjectAltName is what clients check.
std::unique_ptr<X509, OpenSslFree> makeCertificate(EVP_PKEY* key, const std::string& ipAddress) {
    std::unique_ptr<X509, OpenSslFree> certificate(X509_new());
    if (!certificate) fail("X509_new");
    X509* cert = certificate.get();
    unsigned char serial[8];
    if (RAND_bytes(serial, sizeof serial) != 1) fail("RAND_bytes");
    serial[0] &= 0x7F;  // a positive serial number
    const std::unique_ptr<BIGNUM, decltype(&BN_free)> serialNumber(
        BN_bin2bn(serial, sizeof serial, nullptr), BN_free);
    if (X509_set_version(cert, X509_VERSION_3) != 1 || !serialNumber ||
        !BN_to_ASN1_INTEGER(serialNumber.get(), X509_get_serialNumber(cert)) ||
        !X509_gmtime_adj(X509_getm_notBefore(cert), -60 * 60) ||
        !X509_gmtime_adj(X509_getm_notAfter(cert), kValidSeconds) ||
        X509_set_pubkey(cert, key) != 1) {
        fail("the certificate's fields");
    }
    X509_NAME* name = X509_get_subject_name(cert);
    const std::string commonName = "sample shop " + ipAddress;
    if (X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC,
                                   reinterpret_cast<const unsigned char*>(commonName.c_str()), -1,
                                   -1, 0) != 1 ||
        X509_set_issuer_name(cert, name) != 1) {
        fail("the certificate's name");
    }
    addExtension(cert, NID_basic_constraints, "critical,CA:TRUE");
    addExtension(cert, NID_subject_key_identifier, "hash");
    addExtension(cert, NID_subject_alt_name, "IP:" + ipAddress);
    if (X509_sign(cert, key, EVP_sha256()) == 0) fail("X509_sign");
    return certificate;
}

template <typename Write>
void writePem(const std::string& path, Write write) {
    const std::unique_ptr<std::FILE, OpenSslFree> file(std::fopen(path.c_str(), "w"));
    if (!file || write(file.get()) != 1) fail("cannot write " + path);
}

}  // namespace

SelfSignedCertificate::SelfSignedCertificate(const std::string& ipAddress) {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "sample-shop-tls-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) fail("cannot make a folder for it");
    folder_ = pattern;
    try {
        const std::unique_ptr<EVP_PKEY, OpenSslFree> key(EVP_EC_gen("P-256"));
        if (!key) fail("EVP_EC_gen");
        const auto certificate = makeCertificate(key.get(), ipAddress);
        files_ = {folder_ + "/certificate.pem", folder_ + "/key.pem"};
        writePem(files_.certificate,
                 [&](std::FILE* file) { return PEM_write_X509(file, certificate.get()); });
        writePem(files_.privateKey, [&](std::FILE* file) {
            return PEM_write_PrivateKey(file, key.get(), nullptr, nullptr, 0, nullptr, nullptr);
        });
    } catch (...) {
        std::filesystem::remove_all(folder_);
        throw;
    }
}

SelfSignedCertificate::~SelfSignedCertificate() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

}  // namespace norvan::sampleshop
