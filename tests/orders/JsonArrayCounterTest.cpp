#include "orders/JsonArrayCounter.h"
#include "support/ExpectError.h"
#include "support/Printers.h"

#include <gtest/gtest.h>

namespace norvan::orders {
namespace {

// The element count of the array found in the text, or the message of the error raised.
QString lookUp(const QString& text, const QString& path) {
    QString count;
    return testing::thrownMessage([&] {
               JsonArrayCounter counter(path);
               if (!text.isEmpty()) {
                   shop::readJsonTokens(text, [&](const shop::JsonToken& token) {
                       counter.take(token);
                       return true;
                   });
               }
               count = QString::number(counter.count());
           })
        .value_or(count);
}

TEST(JsonArrayCounter, PathSyntaxAndErrors) {
    const QString document = QStringLiteral(R"({
      "line_items": [1, 2, 3],
      "a.b": [1],
      "q'\"": [1, 2],
      "nested": {"arr": [[1, 2], [3]], "Arr": []},
      "obj": {}, "s": "x", "n": 1.5, "t": true, "z": null,
      "dup": [1], "dup": [1, 2, 3]
    })");
    const struct {
        const char* path;
        const char* result;
    } cases[] = {
        {"line_items", "3"},
        {" \tline_items  ", "3"},
        {"['a.b']", "1"},
        {R"(["a.b"])", "1"},
        {R"(['q\'"'])", "2"},
        {"nested.arr[0]", "2"},
        {"nested . arr [ 1 ]", "1"},
        {"nested['arr'][1]", "1"},
        {"nested.Arr", "0"},
        {"dup", "1"},  // the first member of a name counts
        {"", "Conversion from object to array is not supported"},
        {"obj", "Conversion from object to array is not supported"},
        {"s", "Conversion from string to array is not supported"},
        {"n", "Conversion from number to array is not supported"},
        {"t", "Conversion from boolean to array is not supported"},
        {"z", "Conversion from null to array is not supported"},
        {"LINE_ITEMS", "Value 'LINE_ITEMS' not found"},
        {"s.x", "Value 's.x' not found"},
        {"line_items[3]", "Value 'line_items[3]' not found"},
        {"nested[0]", "Value 'nested[0]' not found"},
        {"line_items['0']", "Value 'line_items['0']' not found"},
        {".line_items", "Unexpected char for root element: ."},
        {"nested..arr", "Empty name not allowed in dot notation, use ['']"},
        {"nested.", "Empty name not allowed in dot notation, use ['']"},
        {"line_items[", "Path ended with an open bracket"},
        {"line_items[ 0", "Path ended with an open bracket"},
        {"['a.b'  ", "Path ended with an open bracket"},
        {"['abc", "Path ended with an open string"},
        {R"(['abc\'])", "Path ended with an open string"},
        {"['abc'x]", "Unexpected character while parsing indexer: x"},
        {"line_items[0]x", "Unexpected character while parsing indexer: x"},
        {"line_items[x]", "Invalid index for array: x"},
        {"line_items[-1]", "Invalid index for array: -1"},
        {"line_items[]", "Invalid index for array: "},
    };
    for (const auto& c : cases)
        EXPECT_EQ(lookUp(document, QString::fromUtf8(c.path)), QString::fromUtf8(c.result))
            << c.path;
}

TEST(JsonArrayCounter, EmptyTextHasNothingToFind) {
    EXPECT_EQ(lookUp({}, QStringLiteral("line_items")), "Value 'line_items' not found");
    EXPECT_EQ(lookUp({}, QStringLiteral("[0")), "Path ended with an open bracket");
}

TEST(JsonArrayCounter, DuplicateNamesInsideDroppedValuesDoNotLeakOut) {
    // The second "a" is passed over with its object; its inner names must not count for the
    // outer one.
    const QString document =
        QStringLiteral(R"({"a": {"x": [1]}, "a": {"b": 1, "c": {"d": 2}}, "b": [1, 2]})");
    EXPECT_EQ(lookUp(document, QStringLiteral("a.x")), "1");
    EXPECT_EQ(lookUp(document, QStringLiteral("b")), "2");
}

}  // namespace
}  // namespace norvan::orders
