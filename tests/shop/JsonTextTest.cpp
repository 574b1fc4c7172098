#include "shop/FormattedJson.h"
#include "shop/JsonBody.h"

#include "support/ExpectError.h"
#include "support/Printers.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace norvan::shop {
namespace {

TEST(JsonBodyTest, WritesMembersInOrderWithTheShopsEscaping) {
    JsonBody body;
    body.add(QStringLiteral("status"), "completed")
        .add(QStringLiteral("stock_quantity"), 12)
        .add(QStringLiteral("big"), qint64(-9007199254740993))
        .add(QStringLiteral("manage_stock"), true)
        .add(QStringLiteral("virtual"), false)
        .addNull(QStringLiteral("date_on_sale_from"))
        .add(QStringLiteral("a/b"), QString::fromUtf8("\"q\" \\ 1/2 \b\t\n\f\r|\x01|\x1f"))
        .add(QStringLiteral("name"), QString::fromUtf8("لیوان چای"));
    EXPECT_EQ(body.compactText(),
              QByteArray("{\"status\":\"completed\",\"stock_quantity\":12,"
                         "\"big\":-9007199254740993,\"manage_stock\":true,\"virtual\":false,"
                         "\"date_on_sale_from\":null,"
                         "\"a\\/b\":\"\\\"q\\\" \\\\ 1\\/2 \\b\\t\\n\\f\\r|\x01|\x1f\","
                         "\"name\":\"") +
                  QString::fromUtf8("لیوان چای").toUtf8() + "\"}");
    EXPECT_EQ(JsonBody().compactText(), "{}");
}

TEST(FormattedJsonTest, LaysOutEveryMemberOnItsOwnLine) {
    EXPECT_EQ(formatJson(R"({"id":5,"tags":[1,2]})"),
              QStringLiteral("{\r\n    \"id\": 5,\r\n    \"tags\": [\r\n        1,\r\n        2\r\n"
                             "    ]\r\n}"));
    EXPECT_EQ(formatJson("{}"), QStringLiteral("{\r\n}"));
    EXPECT_EQ(formatJson(" [ ] "), QStringLiteral("[\r\n]"));
    EXPECT_EQ(formatJson(R"([{"a":{},"b":[]}])"),
              QStringLiteral("[\r\n    {\r\n        \"a\": {\r\n        },\r\n        \"b\": [\r\n"
                             "        ]\r\n    }\r\n]"));
}

TEST(FormattedJsonTest, KeepsNumbersAsReceivedAndEscapesStringsLikeTheBody) {
    EXPECT_EQ(formatJson("[10.0,1E20,3.50,-0.0,123456789012345678901234,18446744073709551615,"
                         "-42,true,false,null]"),
              QStringLiteral("[\r\n    10.0,\r\n    1E20,\r\n    3.50,\r\n    -0.0,\r\n"
                             "    123456789012345678901234,\r\n    18446744073709551615,\r\n"
                             "    -42,\r\n    true,\r\n    false,\r\n    null\r\n]"));
    EXPECT_EQ(
        formatJson(
            R"({"url":"http:\/\/x\/y","n":"\u0644\u06cc\u0648\u0627\u0646","c":"a\u0001\n\"\\"})"),
        QString::fromUtf8("{\r\n    \"url\": \"http:\\/\\/x\\/y\",\r\n    \"n\": \"لیوان\",\r\n"
                          "    \"c\": \"a\x01\\n\\\"\\\\\"\r\n}"));
}

TEST(FormattedJsonTest, DecodesEscapesAndWritesThemTheBodysWay) {
    const QString expected =
        QStringLiteral("[\r\n    \"") + QStringLiteral(R"(\"\\\/\b\t\n\f\r)") +
        QStringLiteral("\",\r\n    \"") + QChar(1) + QStringLiteral("A\",\r\n    \"") +
        QString::fromUtf8("\xF0\x9F\x98\x80") + QStringLiteral("\",\r\n    \"") + QChar(0xE9) +
        QChar(0) + QStringLiteral("\"\r\n]");
    EXPECT_EQ(formatJson(R"(["\u0022\u005c\u002F\u0008\u0009\u000A\u000c\u000D","\u0001\u0041",)"
                         R"("\ud83d\ude00","\u00e9\u0000"])"),
              expected);
}

// Every line is indented by its depth, so a deep text would lay out ever longer lines: refused
// at the depth limit, and where its indents would grow the text many times over.
TEST(FormattedJsonTest, RefusesTextsNestedTooDeeplyOrGrowingTooLarge) {
    const auto nested = [](qsizetype depth, const QByteArray& inside = {}) {
        return QByteArray(depth, '[') + inside + QByteArray(depth, ']');
    };
    EXPECT_TRUE(formatJson(nested(512)).startsWith(u"[\r\n    [\r\n        [\r\n"));
    const QString tooDeep = QStringLiteral("The JSON text is nested deeper than 512 levels.");
    EXPECT_ERROR(formatJson(nested(513)), tooDeep);
    EXPECT_ERROR(formatJson(QByteArray(100000, '[')), tooDeep);
    // 5,000 elements, each on a line indented by 1,200 blanks: 6 MB from 10 KB.
    const QByteArray elements = QByteArray("1") + QByteArray(",1").repeated(4999);
    EXPECT_ERROR(formatJson(nested(300, elements)),
                 "The JSON text would grow past 1048576 characters when laid out.");
}

// Every answer is either laid out or, when it is not strict JSON, dropped; the general JSON
// parser decides which texts are JSON.
TEST(FormattedJsonTest, TakesExactlyTheTextsThatAreJson) {
    const char* bodies[] = {
        "",
        "   ",
        "<html>Not JSON</html>",
        R"({"id":5)",
        "[1,2]x",
        "{'a':1}",
        "[01]",
        "[1.]",
        "[.5]",
        "[-]",
        "[1e]",
        "[1E+2]",
        "[-0.0e-0]",
        "[tru]",
        "[nul]",
        "[true false]",
        "[1,]",
        R"({"a":1,})",
        R"({"a" 1})",
        "{1:2}",
        R"(["\x"])",
        R"(["\u12"])",
        R"(["\ud800"])",
        R"(["\udc00"])",
        R"(["\ud800\u0041"])",
        "[\"a\tb\"]",
        "[\"\xC0\xAF\"]",
        "[\"\xED\xA0\x80\"]",
        "[\"\xF4\x90\x80\x80\"]",
        "[\"\xE2\x82\"]",
        "[\"\xE2\x82\xAC\"]",
        "\xEF\xBB\xBF{}",
        " \r\n\t[ ]\n",
        R"("text")",
        "42",
        "null",
        "[[[[[]]]]]",
        R"({"a":{"b":[{},[]]}})",
        "[}",
        "{]",
        "[1]]",
        R"({"a":1}})",
    };
    for (const char* body : bodies) {
        EXPECT_EQ(!formatJson(body).isEmpty(), nlohmann::json::accept(body)) << body;
    }
}

}  // namespace
}  // namespace norvan::shop
