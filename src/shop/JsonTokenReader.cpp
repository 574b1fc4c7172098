#include "JsonTokenReader.h"

#include "JsonDepth.h"
#include "common/Error.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

namespace norvan::shop {

namespace {

using nlohmann::json;

// Keeps the path of the current token while the parser walks the text and hands every token on.
class TokenHandler : public nlohmann::json_sax<json> {
  public:
    explicit TokenHandler(const std::function<bool(const JsonToken&)>& onToken)
        : onToken_(onToken) {}

    bool stoppedByCaller() const { return stopped_; }
    bool tooDeep() const { return tooDeep_; }
    const QString& path() const { return path_; }
    std::size_t faultByte() const { return faultByte_; }
    const std::string& faultDescription() const { return faultDescription_; }

    bool null() override { return scalar(JsonTokenKind::Null, {}); }
    bool boolean(bool value) override {
        return scalar(JsonTokenKind::Boolean,
                      value ? QStringLiteral("true") : QStringLiteral("false"));
    }
    bool number_integer(number_integer_t value) override {
        return scalar(JsonTokenKind::Integer, QString::number(value));
    }
    // Above the signed 64-bit range a whole number counts as a float, as the order rows expect.
    bool number_unsigned(number_unsigned_t value) override {
        const auto kind = value > static_cast<number_unsigned_t>(std::numeric_limits<qint64>::max())
                              ? JsonTokenKind::Float
                              : JsonTokenKind::Integer;
        return scalar(kind, QString::number(value));
    }
    bool number_float(number_float_t, const string_t& text) override {
        return scalar(JsonTokenKind::Float, QString::fromStdString(text));
    }
    bool string(string_t& value) override {
        const QString text = QString::fromStdString(value);
        // A string of megabytes (a customer note) is held in one more copy at a time: the
        // parser's goes before the token's is taken into a row.
        if (value.capacity() > kLargeString) string_t().swap(value);
        return scalar(JsonTokenKind::String, text);
    }
    bool binary(binary_t&) override { return true; }  // never produced by the text parser

    bool start_object(std::size_t) override { return openContainer(JsonTokenKind::StartObject); }
    bool start_array(std::size_t) override { return openContainer(JsonTokenKind::StartArray); }
    bool end_object() override { return closeContainer(JsonTokenKind::EndObject); }
    bool end_array() override { return closeContainer(JsonTokenKind::EndArray); }

    bool key(string_t& name) override {
        const QString text = QString::fromStdString(name);
        path_.truncate(frames_.back().pathLength);
        if (!path_.isEmpty()) path_ += u'.';
        path_ += text;
        return deliver(JsonTokenKind::PropertyName, text);
    }

    bool parse_error(std::size_t position, const std::string&,
                     const nlohmann::detail::exception& error) override {
        faultByte_ = position == 0 ? 0 : position - 1;
        faultDescription_ = error.what();
        return false;
    }

  private:
    static constexpr std::size_t kLargeString = std::size_t{1} << 20;

    struct Frame {
        bool isArray;
        qsizetype pathLength;  // length of the container's own path
        int nextIndex = 0;
    };

    // An array element's path is the array's path and its index; a member's path was set by key().
    void enterValue() {
        if (frames_.empty() || !frames_.back().isArray) return;
        Frame& array = frames_.back();
        path_.truncate(array.pathLength);
        path_ += u'[' + QString::number(array.nextIndex++) + u']';
    }

    bool scalar(JsonTokenKind kind, const QString& text) {
        enterValue();
        return deliver(kind, text);
    }

    bool openContainer(JsonTokenKind kind) {
        if (frames_.size() == kMaxJsonDepth) {
            tooDeep_ = true;
            return false;
        }
        enterValue();
        frames_.push_back({kind == JsonTokenKind::StartArray, path_.size()});
        return deliver(kind, {});
    }

    bool closeContainer(JsonTokenKind kind) {
        path_.truncate(frames_.back().pathLength);
        frames_.pop_back();
        return deliver(kind, {});
    }

    bool deliver(JsonTokenKind kind, const QString& text) {
        if (onToken_({kind, path_, text})) return true;
        stopped_ = true;
        return false;
    }

    const std::function<bool(const JsonToken&)>& onToken_;
    std::vector<Frame> frames_;
    QString path_;
    bool stopped_ = false;
    bool tooDeep_ = false;
    std::size_t faultByte_ = 0;
    std::string faultDescription_;
};

bool isLiteralByte(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '.' ||
           c == '+' || c == '-';
}

// The parser reports a whole unexpected token at its last byte; the operator is shown its first.
std::size_t tokenStart(std::string_view bytes, std::size_t last, const std::string& description) {
    if (description.find("unexpected string literal") != std::string::npos) {
        for (std::size_t i = last; i-- > 0;) {
            if (bytes[i] != '"') continue;
            std::size_t backslashes = 0;
            while (backslashes < i && bytes[i - backslashes - 1] == '\\') ++backslashes;
            if (backslashes % 2 == 0) return i;
        }
        return last;
    }
    if (description.find(" literal;") == std::string::npos) return last;
    std::size_t start = last;
    while (start > 0 && isLiteralByte(bytes[start - 1])) --start;
    return start;
}

QString characterAt(std::string_view bytes, std::size_t index) {
    std::size_t length = 1;
    const auto lead = static_cast<unsigned char>(bytes[index]);
    if (lead >= 0xF0) {
        length = 4;
    } else if (lead >= 0xE0) {
        length = 3;
    } else if (lead >= 0xC0) {
        length = 2;
    }
    QString character =
        QString::fromUtf8(bytes.data() + index, qsizetype(std::min(length, bytes.size() - index)));
    if (lead < 0x20) return QStringLiteral("\\u%1").arg(int(lead), 4, 16, QChar(u'0'));
    return character;
}

struct TextPlace {
    int line = 1;
    qsizetype position = 0;
};

// Lines end at LF, CR LF or a lone CR; the position counts the characters of its line up to and
// including the offending one (at the end of the text: the characters of the last line).
TextPlace placeOf(std::string_view bytes, std::size_t index) {
    TextPlace place;
    std::size_t lineStart = 0;
    for (std::size_t i = 0; i < index && i < bytes.size(); ++i) {
        const bool lineEnd = bytes[i] == '\n' ||
                             (bytes[i] == '\r' && (i + 1 >= bytes.size() || bytes[i + 1] != '\n'));
        if (lineEnd) {
            ++place.line;
            lineStart = i + 1;
        }
    }
    const std::size_t end = std::min(index + 1, bytes.size());
    place.position =
        end > lineStart
            ? QString::fromUtf8(bytes.data() + lineStart, qsizetype(end - lineStart)).size()
            : 0;
    return place;
}

bool mentions(const std::string& description, const char* words) {
    return description.find(words) != std::string::npos;
}

// The answers' formatted layout writes control characters other than backspace, tab, line feed,
// form feed and carriage return raw inside strings (a customer note may hold one), so the reader
// takes them as they are: the parser gets them as \u00XX escapes, and fault places are mapped
// back to the text as given. A text without them, as nearly every answer is, is parsed where it
// is, without a copy.
class ParserText {
  public:
    explicit ParserText(std::string_view original) : original_(original) {
        const std::vector<std::size_t> rawControls = rawControlsInStrings();
        if (rawControls.empty()) return;
        escaped_.reserve(original_.size() + kGrowth * rawControls.size());
        std::size_t copied = 0;
        for (const std::size_t at : rawControls) {
            escaped_.append(original_, copied, at - copied);
            escapeStarts_.push_back(escaped_.size());
            char escape[7];
            const unsigned code = static_cast<unsigned char>(original_[at]);
            std::snprintf(escape, sizeof escape, "\\u%04x", code);
            escaped_ += escape;
            copied = at + 1;
        }
        escaped_.append(original_.substr(copied));
    }

    std::string_view original() const { return original_; }
    std::string_view parsed() const {
        return escapeStarts_.empty() ? original_ : std::string_view(escaped_);
    }

    std::size_t originalIndex(std::size_t parsedIndex) const {
        const auto after =
            std::upper_bound(escapeStarts_.begin(), escapeStarts_.end(), parsedIndex);
        const auto before = std::size_t(after - escapeStarts_.begin());
        if (before > 0 && parsedIndex < escapeStarts_[before - 1] + kGrowth + 1) {
            return escapeStarts_[before - 1] - kGrowth * (before - 1);
        }
        return parsedIndex - kGrowth * before;
    }

  private:
    static constexpr std::size_t kGrowth = 5;  // one byte becomes six

    // Every answer passes here whole: between strings only the next quote is looked for (memchr),
    // inside one only its closing quote, an escape or a control character.
    std::vector<std::size_t> rawControlsInStrings() const {
        std::vector<std::size_t> rawControls;
        const char* const begin = original_.data();
        const char* const end = begin + original_.size();
        const char* p = begin;
        while ((p = static_cast<const char*>(std::memchr(p, '"', std::size_t(end - p)))) !=
               nullptr) {
            for (++p; p != end && *p != '"'; ++p) {
                if (*p == '\\') {
                    if (++p == end) break;  // p is on the escaped character
                } else if (static_cast<unsigned char>(*p) < 0x20) {
                    rawControls.push_back(std::size_t(p - begin));
                }
            }
            if (p == end) break;
            ++p;  // the string's closing quote
        }
        return rawControls;
    }

    std::string_view original_;
    std::string escaped_;
    std::vector<std::size_t> escapeStarts_;  // in escaped_
};

QString faultMessage(const ParserText& text, const TokenHandler& handler) {
    const std::string_view bytes = text.parsed();
    const std::string& description = handler.faultDescription();
    std::size_t at = handler.faultByte();
    QString message;
    if (at >= bytes.size()) {
        message = QStringLiteral("Unexpected end when reading JSON.");
    } else if (mentions(description, "expected end of input")) {
        at = tokenStart(bytes, at, description);
        message =
            QStringLiteral("Additional text encountered after finished reading JSON content: %1.");
    } else if (mentions(description, "while parsing value - invalid string")) {
        message = QStringLiteral("Invalid character in string: %1.");
    } else if (mentions(description, "while parsing value")) {
        message = QStringLiteral("Unexpected character encountered while parsing value: %1.");
    } else if (mentions(description, "while parsing object key")) {
        at = tokenStart(bytes, at, description);
        message = QStringLiteral("Invalid property identifier character: %1.");
    } else if (mentions(description, "while parsing object separator")) {
        at = tokenStart(bytes, at, description);
        message = QStringLiteral(
            "Invalid character after parsing property name. Expected ':' but got: %1.");
    } else {
        at = tokenStart(bytes, at, description);
        message =
            QStringLiteral("After parsing a value an unexpected character was encountered: %1.");
    }
    at = at < bytes.size() ? text.originalIndex(at) : text.original().size();
    if (at < text.original().size()) message = message.arg(characterAt(text.original(), at));
    const TextPlace place = placeOf(text.original(), at);
    return message + QStringLiteral(" Path '%1', line %2, position %3.")
                         .arg(handler.path())
                         .arg(place.line)
                         .arg(place.position);
}

}  // namespace

void readJsonTokens(QString text, const std::function<bool(const JsonToken&)>& onToken) {
    const QByteArray utf8 = text.toUtf8();
    text = QString();  // the caller's copy, when moved in, is gone while the tokens are read
    readJsonTokens(utf8, onToken);
}

void readJsonTokens(const QByteArray& utf8, const std::function<bool(const JsonToken&)>& onToken) {
    const ParserText parserText(std::string_view(utf8.constData(), std::size_t(utf8.size())));
    TokenHandler handler(onToken);
    const std::string_view parsed = parserText.parsed();
    if (json::sax_parse(parsed.begin(), parsed.end(), &handler) || handler.stoppedByCaller())
        return;
    if (handler.tooDeep()) throw Error(jsonTooDeepMessage());
    throw Error(faultMessage(parserText, handler));
}

}  // namespace norvan::shop
