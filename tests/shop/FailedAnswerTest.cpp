#include "shop/FailedAnswer.h"
#include "support/Printers.h"

#include <gtest/gtest.h>

namespace norvan::shop {
namespace {

TEST(FailedAnswer, KeepsTheCodeAndMessageOfAWooCommerceError) {
    const struct {
        long status;
        const char* body;
        const char* code;
        const char* message;
    } cases[] = {
        {401,
         R"({"code":"woocommerce_rest_authentication_error","message":"The API key provided does not have write permissions.","data":{"status":401}})",
         "woocommerce_rest_authentication_error",
         "The API key provided does not have write permissions."},
        {404,
         R"({"code":"woocommerce_rest_invalid_product_id","message":"To manipulate product variations you should use the \/products\/&lt;product_id&gt;\/variations\/&lt;id&gt; endpoint.","data":{"status":404}})",
         "woocommerce_rest_invalid_product_id",
         "To manipulate product variations you should use the "
         "/products/<product_id>/variations/<id> endpoint."},
        // The data's own code and message are not the error's.
        {400,
         R"({"data":{"status":400,"details":{"x":{"code":"rest_invalid_type","message":"m"}}},"code":"rest_invalid_param","message":"Invalid parameter(s): regular_price"})",
         "rest_invalid_param", "Invalid parameter(s): regular_price"},
        {404, "<html><head><title>404 Not Found</title></head></html>", "", ""},
        {403, "", "", ""},
        {401, R"(["code","message"])", "", ""},
        {400, R"({"code":7,"message":null})", "", ""},
        {401, R"({"code":"c","message":"cut)", "", ""},
    };
    for (const auto& c : cases) {
        const FailedAnswer answer = readFailedAnswer(c.status, QByteArray(c.body));
        EXPECT_EQ(answer.status, c.status) << c.body;
        EXPECT_EQ(answer.code, QString::fromUtf8(c.code)) << c.body;
        EXPECT_EQ(answer.message, QString::fromUtf8(c.message)) << c.body;
    }
    const QByteArray tooDeep =
        QByteArray(R"({"code":"c","data":)") + QByteArray(600, '[') + QByteArray(600, ']') + "}";
    EXPECT_EQ(readFailedAnswer(400, tooDeep), (FailedAnswer{400, {}, {}}));
}

TEST(FailedAnswer, HtmlEntitiesOfTheShopsMessagesAreDecoded) {
    const struct {
        const char* text;
        const char* decoded;
    } cases[] = {
        {"&lt;id&gt; &amp; &quot;x&quot; &apos;y&apos;", R"(<id> & "x" 'y')"},
        {"it&#039;s &#x27;a&#X27; &#1740;", "it's 'a' \xDB\x8C"},  // Persian Yeh U+06CC
        {"&#128512;", "\xF0\x9F\x98\x80"},
        {"&lt;&lt;", "<<"},
        {"&amp;lt;", "&lt;"},  // decoded once
        // Anything else stays as written.
        {"a & b; &nbsp; &#; &#xZZ; &#0; &#55296; &#1114112; &lt &",
         "a & b; &nbsp; &#; &#xZZ; &#0; &#55296; &#1114112; &lt &"},
        {"no references", "no references"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(decodeHtmlEntities(QString::fromUtf8(c.text)), QString::fromUtf8(c.decoded))
            << c.text;
    }
}

}  // namespace
}  // namespace norvan::shop
