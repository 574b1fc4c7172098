#include "shop/JsonTokenReader.h"
#include "support/ExpectError.h"
#include "support/Printers.h"

#include <gtest/gtest.h>

namespace norvan::shop {
namespace {

using Kind = JsonTokenKind;

struct Seen {
    Kind kind;
    QString path;
    QString text;
    bool operator==(const Seen&) const = default;
};

void PrintTo(const Seen& seen, std::ostream* out) {
    *out << int(seen.kind) << " '" << seen.path.toStdString() << "' " << seen.text.toStdString();
}

std::vector<Seen> tokensOf(const QString& json) {
    std::vector<Seen> seen;
    readJsonTokens(json, [&](const JsonToken& token) {
        seen.push_back({token.kind, token.path, token.text});
        return true;
    });
    return seen;
}

TEST(JsonTokenReaderTest, GivesEveryTokenWithItsPath) {
    const QString json = QString::fromUtf8(
        R"({"id":727,"billing":{"first_name":"\u0633\u0627\u0631\u0627"},"tags":[1,2.50],)"
        R"("line_items":[{"meta_data":[{"a.b c":null}],"price":1E20}],"ok":true,)"
        R"("big":9223372036854775808,"neg":-9223372036854775808})");
    const std::vector<Seen> expected = {
        {Kind::StartObject, "", ""},
        {Kind::PropertyName, "id", "id"},
        {Kind::Integer, "id", "727"},
        {Kind::PropertyName, "billing", "billing"},
        {Kind::StartObject, "billing", ""},
        {Kind::PropertyName, "billing.first_name", "first_name"},
        {Kind::String, "billing.first_name", QString::fromUtf8("سارا")},
        {Kind::EndObject, "billing", ""},
        {Kind::PropertyName, "tags", "tags"},
        {Kind::StartArray, "tags", ""},
        {Kind::Integer, "tags[0]", "1"},
        {Kind::Float, "tags[1]", "2.50"},
        {Kind::EndArray, "tags", ""},
        {Kind::PropertyName, "line_items", "line_items"},
        {Kind::StartArray, "line_items", ""},
        {Kind::StartObject, "line_items[0]", ""},
        {Kind::PropertyName, "line_items[0].meta_data", "meta_data"},
        {Kind::StartArray, "line_items[0].meta_data", ""},
        {Kind::StartObject, "line_items[0].meta_data[0]", ""},
        {Kind::PropertyName, "line_items[0].meta_data[0].a.b c", "a.b c"},
        {Kind::Null, "line_items[0].meta_data[0].a.b c", ""},
        {Kind::EndObject, "line_items[0].meta_data[0]", ""},
        {Kind::EndArray, "line_items[0].meta_data", ""},
        {Kind::PropertyName, "line_items[0].price", "price"},
        {Kind::Float, "line_items[0].price", "1E20"},
        {Kind::EndObject, "line_items[0]", ""},
        {Kind::EndArray, "line_items", ""},
        {Kind::PropertyName, "ok", "ok"},
        {Kind::Boolean, "ok", "true"},
        {Kind::PropertyName, "big", "big"},
        {Kind::Float, "big", "9223372036854775808"},
        {Kind::PropertyName, "neg", "neg"},
        {Kind::Integer, "neg", "-9223372036854775808"},
        {Kind::EndObject, "", ""},
    };
    EXPECT_EQ(tokensOf(json), expected);
}

TEST(JsonTokenReaderTest, TopLevelArrayElementsArePathedByIndex) {
    const auto tokens = tokensOf(QStringLiteral(R"([{"id":1},{"id":2}])"));
    ASSERT_EQ(tokens.size(), 10u);
    EXPECT_EQ(tokens[3], (Seen{Kind::Integer, "[0].id", "1"}));
    EXPECT_EQ(tokens[7], (Seen{Kind::Integer, "[1].id", "2"}));
}

TEST(JsonTokenReaderTest, ReadsRawControlCharactersInStrings) {
    // The answers' layout writes them raw, as the shop's text held them.
    const auto tokens = tokensOf(QString::fromUtf8("[\"a\x01\x0b\\\"\x1f\"]"));
    ASSERT_EQ(tokens.size(), 3u);
    EXPECT_EQ(tokens[1].text, QString::fromUtf8("a\x01\x0b\"\x1f"));
    const auto withNul = tokensOf(QStringLiteral("[\"\0\", {\"b\x01\": \"\x1f\"}]"));
    ASSERT_EQ(withNul.size(), 7u);
    EXPECT_EQ(withNul[1].text, QString(QChar(0)));
    EXPECT_EQ(withNul[3],
              (Seen{Kind::PropertyName, QStringLiteral("[1].b\x01"), QStringLiteral("b\x01")}));
    EXPECT_EQ(withNul[4].text, QStringLiteral("\x1f"));
}

// Every frame of the reader is a container of the text; a deeper text is refused where it passes
// the limit, before its frames and paths grow with it.
TEST(JsonTokenReaderTest, RefusesTextsNestedDeeperThan512Levels) {
    const auto nested = [](qsizetype depth) { return QString(depth, u'[') + QString(depth, u']'); };
    EXPECT_EQ(tokensOf(nested(512)).size(), 1024u);
    const QString tooDeep = QStringLiteral("The JSON text is nested deeper than 512 levels.");
    EXPECT_ERROR(tokensOf(nested(513)), tooDeep);
    EXPECT_ERROR(tokensOf(QString(100000, u'[')), tooDeep);
}

TEST(JsonTokenReaderTest, StopsWhereTheCallerSaysSo) {
    int seen = 0;
    readJsonTokens(QStringLiteral(R"([1,2,3, this is not read)"), [&](const JsonToken& token) {
        ++seen;
        return token.text != u"2";
    });
    EXPECT_EQ(seen, 3);
}

struct FaultCase {
    const char* json;
    const char* message;
    int tokensBefore;
};

TEST(JsonTokenReaderTest, FailsAtTheFaultWithPathLineAndPosition) {
    const FaultCase cases[] = {
        {"Error: Not Found /",
         "Unexpected character encountered while parsing value: E. Path '', line 1, position 1.",
         0},
        {"", "Unexpected end when reading JSON. Path '', line 1, position 0.", 0},
        {"[{\"id\":1},{\"id\":2",
         "Unexpected end when reading JSON. Path '[1].id', line 1, position 17.", 8},
        {"{\"a\":\"unterminated",
         "Unexpected end when reading JSON. Path 'a', line 1, position 18.", 2},
        {"{\r\n  \"a\": }",
         "Unexpected character encountered while parsing value: }. Path 'a', "
         "line 2, position 8.",
         2},
        {"{\"a\" 1}",
         "Invalid character after parsing property name. Expected ':' but got: 1. "
         "Path 'a', line 1, position 6.",
         2},
        {"{1}", "Invalid property identifier character: 1. Path '', line 1, position 2.", 1},
        {"[1 \"abc\"]",
         "After parsing a value an unexpected character was encountered: \". "
         "Path '[0]', line 1, position 4.",
         2},
        {"[1]\n x",
         "Additional text encountered after finished reading JSON content: x. "
         "Path '', line 2, position 2.",
         3},
        {"[\"a\\q\"]", "Invalid character in string: q. Path '', line 1, position 5.", 1},
        // Raw control characters in strings are read; places count them as one character.
        {"{\"n\":\"a\x01\x0b\" x}",
         "After parsing a value an unexpected character was "
         "encountered: x. Path 'n', line 1, position 12.",
         3},
        {"{\"n\":\"\xd9\x84\xdb\x8c\"x}",
         "After parsing a value an unexpected character was "
         "encountered: x. Path 'n', line 1, position 10.",
         3},
    };
    for (const FaultCase& c : cases) {
        int tokens = 0;
        EXPECT_ERROR(
            readJsonTokens(QString::fromUtf8(c.json), [&](const JsonToken&) { return ++tokens; }),
            QString::fromUtf8(c.message))
            << c.json;
        EXPECT_EQ(tokens, c.tokensBefore) << c.json;
    }
}

}  // namespace
}  // namespace norvan::shop
