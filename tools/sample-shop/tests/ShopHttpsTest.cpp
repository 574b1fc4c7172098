#include "ShopFixture.h"

#include "sample-shop/SelfSignedCertificate.h"

#include <filesystem>
#include <string>

namespace norvan::sampleshop {
namespace {

TEST(ShopHttpsTest, ServesHttpsWithACertificateMadeForItsAddress) {
    std::string certificateFile;
    {
        const SelfSignedCertificate certificate("127.0.0.1");
        certificateFile = certificate.files().certificate;
        Options options;
        options.tls = certificate.files();
        options.basicOverPlainHttp = false;  // no matter over HTTPS
        SampleShop shop(SampleShop::defaultSeed(), options);
        shop.start();
        EXPECT_EQ(shop.baseUrl(), "https://127.0.0.1:" + std::to_string(shop.port()) + kApi);

        httplib::SSLClient client("127.0.0.1", shop.port());
        client.set_ca_cert_path(certificateFile.c_str());
        client.enable_server_certificate_verification(true);
        client.set_basic_auth(options.consumerKey, options.consumerSecret);
        const auto result = client.Get(kApi + "orders/15/");
        ASSERT_TRUE(result) << httplib::to_string(result.error());
        EXPECT_EQ(result->status, 200);
        EXPECT_EQ(bodyOf(result)["id"], 15);
    }
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(certificateFile).parent_path()));
}

}  // namespace
}  // namespace norvan::sampleshop
