#include "FailedAnswer.h"

#include "AnswerSax.h"
#include "common/Error.h"

namespace norvan::shop {

namespace {

// The top-level "code" and "message" strings of an error object.
class ErrorReader : public AnswerSax {
  public:
    QString code;
    QString message;

  private:
    void stringValue(int depth, std::string_view name, const AnswerString& value) override {
        if (depth != 1) return;
        if (name == "code") code = value.text();
        if (name == "message") message = value.text();
    }
};

// The character a reference such as "lt", "#039" or "#x27" stands for; empty when none.
QString referencedText(QStringView reference) {
    static constexpr std::pair<QStringView, char16_t> kNamed[] = {
        {u"lt", u'<'}, {u"gt", u'>'}, {u"amp", u'&'}, {u"quot", u'"'}, {u"apos", u'\''}};
    if (!reference.startsWith(u'#')) {
        for (const auto& [name, character] : kNamed)
            if (reference == name) return QString(QChar(character));
        return {};
    }
    bool ok = false;
    const uint code = reference.startsWith(u"#x", Qt::CaseInsensitive)
                          ? reference.mid(2).toUInt(&ok, 16)
                          : reference.mid(1).toUInt(&ok, 10);
    if (!ok || code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return {};
    const auto character = static_cast<char32_t>(code);
    return QString::fromUcs4(&character, 1);
}

}  // namespace

FailedAnswer readFailedAnswer(long status, const QByteArray& body) {
    ErrorReader reader;
    try {
        if (!reader.read(body)) return {.status = status, .code = {}, .message = {}};
    } catch (const Error&) {
        return {.status = status, .code = {}, .message = {}};  // nested too deeply to be one
    }
    return {.status = status, .code = reader.code, .message = decodeHtmlEntities(reader.message)};
}

QString decodeHtmlEntities(const QString& text) {
    // The longest reference decoded, "#x10FFFF", and its ";".
    constexpr qsizetype kLongestReference = 9;
    if (!text.contains(u'&')) return text;
    QString decoded;
    decoded.reserve(text.size());
    qsizetype from = 0;
    for (qsizetype amp = text.indexOf(u'&'); amp >= 0; amp = text.indexOf(u'&', from)) {
        decoded += QStringView(text).mid(from, amp - from);
        const QStringView rest = QStringView(text).mid(amp + 1, kLongestReference);
        const qsizetype semicolon = rest.indexOf(u';');
        const QString character = semicolon > 0 ? referencedText(rest.left(semicolon)) : QString();
        decoded += character.isEmpty() ? QStringLiteral("&") : character;
        from = character.isEmpty() ? amp + 1 : amp + 1 + semicolon + 1;
    }
    decoded += QStringView(text).mid(from);
    return decoded;
}

}  // namespace norvan::shop
