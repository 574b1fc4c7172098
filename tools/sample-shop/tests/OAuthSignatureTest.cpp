#include "sample-shop/OAuthSignature.h"

#include <gtest/gtest.h>

namespace norvan::sampleshop {
namespace {

// Signature a real shop accepted for GET .../orders?status=processing.
TEST(OAuthSignatureTest, MatchesTheVectorOfARealShop) {
    const Parameters parameters = {
        {"status", "processing"},
        {"oauth_consumer_key", "ck_4f1c2d0b8e7a6950c3b2a1d0e9f8a7b6c5d4e3f2"},
        {"oauth_nonce", "abc123"},
        {"oauth_signature_method", "HMAC-SHA1"},
        {"oauth_timestamp", "1700000000"},
        {"oauth_version", "1.0"},
    };
    EXPECT_EQ(oauthSignature("GET", "http://127.0.0.1:8080/wp-json/wc/v3/orders", parameters,
                             "cs_9a8b7c6d5e4f30211f2e3d4c5b6a79881a2b3c4d"),
              "AFL4wKOfy8bzRYuGSVi7qnUJ1Pc=");
}

TEST(OAuthSignatureTest, PercentEncodingKeepsOnlyTheUnreservedSet) {
    EXPECT_EQ(percentEncode("Az09-._~"), "Az09-._~");
    EXPECT_EQ(percentEncode("a b+c/d=&"), "a%20b%2Bc%2Fd%3D%26");
    EXPECT_EQ(percentEncode("\xDA\xA9"), "%DA%A9");  // Persian Keheh as UTF-8
}

}  // namespace
}  // namespace norvan::sampleshop
