#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

namespace norvan::shop {

enum class JsonTokenKind {
    PropertyName,
    Integer,  // no fraction or exponent, fits 64 signed bits; text: decimal digits
    Float,    // fraction or exponent, or an integer too large for 64 bits; text: as received
    String,   // text: unescaped
    Boolean,  // text: "true" / "false"
    Null,
    StartObject,
    EndObject,
    StartArray,
    EndArray
};

// A token and its path: members as their names joined with ".", array elements as "[n]"
// (id, billing.first_name, line_items[0].meta_data[1].value, [0].id). A property name has the
// path of its value; names are written unquoted and unescaped.
struct JsonToken {
    JsonTokenKind kind;
    const QString& path;
    const QString& text;  // property name, number text, unescaped string, or empty
};

// Reads a JSON text token by token in document order. onToken returns false to stop reading
// there (nothing after it is parsed). Throws norvan::Error at the first fault, with the reader's
// message, e.g. "Unexpected character encountered while parsing value: E. Path '', line 1,
// position 1." (line and position counted from 1 at the offending character), and with
// jsonTooDeepMessage() where the text nests deeper than kMaxJsonDepth. The text is let go before
// the tokens are read: a caller that moves its only copy in holds none while they are.
void readJsonTokens(QString text, const std::function<bool(const JsonToken&)>& onToken);
// The same for the text's UTF-8 bytes (an answer as the shop sent it), read where they are.
void readJsonTokens(const QByteArray& utf8, const std::function<bool(const JsonToken&)>& onToken);

}  // namespace norvan::shop
