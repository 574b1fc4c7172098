#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <optional>
#include <string>
#include <string_view>

namespace norvan::shop {

// A string of an answer as it stands between its quotes, decoded only when a reader asks for it:
// most of an answer's strings are never looked at.
class AnswerString {
  public:
    AnswerString(std::string_view raw, bool escaped) : raw_(raw), escaped_(escaped) {}
    QString text() const;

  private:
    std::string_view raw_;  // valid UTF-8, escapes checked
    bool escaped_;
};

// Reads an answer's JSON straight from its bytes, checking it as strictly as the formatted
// layout does (RFC 8259, UTF-8), and hands on each value with its depth (0 for the top-level
// value, 1 for the members or elements of the top-level container, ...) and the name of the
// member it is the value of (empty for an array's element). A reader overrides the events it
// needs and picks the few values it wants; nothing is kept of the rest, no string is decoded and
// no number converted unless asked for. Every answer of a product run passes here whole.
class AnswerSax {
  public:
    virtual ~AnswerSax() = default;

    // Reads the whole text: true when it is JSON. Throws Error(jsonTooDeepMessage()) where it
    // nests deeper than kMaxJsonDepth, before reading on.
    bool read(const QByteArray& answer);

    // A number's text as a whole number of 64 signed bits; nothing for a fraction, an exponent
    // or a larger number.
    static std::optional<qint64> wholeNumber(std::string_view text);

  protected:
    virtual void containerStarted(int /*depth*/, std::string_view /*name*/, bool /*isArray*/) {}
    virtual void containerEnded(int /*depth*/) {}
    virtual void stringValue(int /*depth*/, std::string_view /*name*/,
                             const AnswerString& /*value*/) {}
    virtual void numberValue(int /*depth*/, std::string_view /*name*/, std::string_view /*text*/) {}
    // true, false or null.
    virtual void literalValue(int /*depth*/, std::string_view /*name*/) {}

  private:
    class Scanner;
    std::string nameBuffer_;  // a member name that holds escapes, decoded
};

}  // namespace norvan::shop
