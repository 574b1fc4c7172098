#include "AnswerSax.h"

#include "JsonDepth.h"
#include "JsonLexemes.h"
#include "common/Error.h"

#include <array>
#include <charconv>
#include <vector>

namespace norvan::shop {

namespace {

void appendUtf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// The UTF-8 text of a string's raw content whose escapes were checked when it was read.
std::string decodeEscapes(std::string_view raw) {
    std::string text;
    text.reserve(raw.size());
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] != '\\') {
            text += raw[i];
            continue;
        }
        const char kind = raw[++i];
        switch (kind) {
            case 'b':
                text += '\b';
                break;
            case 'f':
                text += '\f';
                break;
            case 'n':
                text += '\n';
                break;
            case 'r':
                text += '\r';
                break;
            case 't':
                text += '\t';
                break;
            case 'u': {
                const JsonCharacter character =
                    escapedCharacterAt(raw.data() + i + 1, raw.data() + raw.size());
                i += static_cast<std::size_t>(character.length);
                appendUtf8(text, character.code);
                break;
            }
            default:  // '"', '\\', '/'
                text += kind;
        }
    }
    return text;
}

}  // namespace

QString AnswerString::text() const {
    if (!escaped_) return QString::fromUtf8(raw_.data(), static_cast<qsizetype>(raw_.size()));
    const std::string decoded = decodeEscapes(raw_);
    return QString::fromUtf8(decoded.data(), static_cast<qsizetype>(decoded.size()));
}

// One pass over the bytes that checks them as it goes and tells the reader of each value. Like
// the formatted layout's reader it is made by hand: between the few values a reader wants it only
// looks for the end of each string and number, at a table lookup a byte.
class AnswerSax::Scanner {
  public:
    Scanner(AnswerSax& reader, const char* begin, const char* end)
        : reader_(reader), p_(begin), end_(end) {}

    enum class Outcome { Json, NotJson, TooDeep };
    Outcome run();

  private:
    int depth() const { return static_cast<int>(closings_.size()); }
    bool at(char c) const { return p_ != end_ && *p_ == c; }
    void skipBlanks() {
        while (p_ != end_ && (*p_ == ' ' || *p_ == '\n' || *p_ == '\r' || *p_ == '\t')) ++p_;
    }
    bool memberName(std::string_view& name);
    bool scalar(std::string_view name);
    bool string(std::string_view& raw, bool& escaped);
    bool escape();
    bool utf8Sequence();
    bool number();
    bool literal(std::string_view word);

    AnswerSax& reader_;
    const char* p_;
    const char* end_;
    std::vector<char> closings_;  // of the open containers
};

AnswerSax::Scanner::Outcome AnswerSax::Scanner::run() {
    if (end_ - p_ >= 3 && std::string_view(p_, 3) == "\xEF\xBB\xBF") p_ += 3;  // byte-order mark
    skipBlanks();
    std::string_view name;
    for (;;) {
        // A value: a container opens here and its first member or element follows at once.
        if (at('{') || at('[')) {
            if (closings_.size() == kMaxJsonDepth) return Outcome::TooDeep;
            const bool isArray = *p_++ == '[';
            reader_.containerStarted(depth(), name, isArray);
            closings_.push_back(isArray ? ']' : '}');
            skipBlanks();
            if (!at(closings_.back())) {
                name = {};
                if (!isArray && !memberName(name)) return Outcome::NotJson;
                continue;
            }
            ++p_;
            closings_.pop_back();
            reader_.containerEnded(depth());
        } else if (!scalar(name)) {
            return Outcome::NotJson;
        }
        // After a value: a separator with the next item, or the end of containers.
        for (;;) {
            skipBlanks();
            if (closings_.empty()) return p_ == end_ ? Outcome::Json : Outcome::NotJson;
            if (at(',')) {
                ++p_;
                skipBlanks();
                name = {};
                if (closings_.back() == '}' && !memberName(name)) return Outcome::NotJson;
                break;
            }
            if (!at(closings_.back())) return Outcome::NotJson;
            ++p_;
            closings_.pop_back();
            reader_.containerEnded(depth());
        }
    }
}

// A member's name and its ":"; a name with escapes is decoded, which names hardly ever need.
bool AnswerSax::Scanner::memberName(std::string_view& name) {
    bool escaped = false;
    if (!at('"') || !string(name, escaped)) return false;
    if (escaped) {
        reader_.nameBuffer_ = decodeEscapes(name);
        name = reader_.nameBuffer_;
    }
    skipBlanks();
    if (!at(':')) return false;
    ++p_;
    skipBlanks();
    return true;
}

bool AnswerSax::Scanner::scalar(std::string_view name) {
    if (p_ == end_) return false;
    const char* start = p_;
    switch (*p_) {
        case '"': {
            std::string_view raw;
            bool escaped = false;
            if (!string(raw, escaped)) return false;
            reader_.stringValue(depth(), name, AnswerString(raw, escaped));
            return true;
        }
        case 't':
        case 'f':
        case 'n':
            if (!literal(*p_ == 't' ? "true" : *p_ == 'f' ? "false" : "null")) return false;
            reader_.literalValue(depth(), name);
            return true;
        default:
            if (!number()) return false;
            reader_.numberValue(depth(), name,
                                std::string_view(start, static_cast<std::size_t>(p_ - start)));
            return true;
    }
}

// The string's raw content between its quotes, checked: escapes as JSON has them, UTF-8, no
// control characters.
bool AnswerSax::Scanner::string(std::string_view& raw, bool& escaped) {
    // Bytes that end a plain run: quote, backslash, control characters and non-ASCII.
    static constexpr auto kEndsRun = [] {
        std::array<bool, 256> ends{};
        for (std::size_t c = 0; c < 0x20; ++c) ends[c] = true;
        for (std::size_t c = 0x80; c < 0x100; ++c) ends[c] = true;
        ends['"'] = ends['\\'] = true;
        return ends;
    }();
    const char* start = ++p_;
    escaped = false;
    for (;;) {
        while (p_ != end_ && !kEndsRun[static_cast<unsigned char>(*p_)]) ++p_;
        if (p_ == end_) return false;
        const auto c = static_cast<unsigned char>(*p_);
        if (c == '"') {
            raw = std::string_view(start, static_cast<std::size_t>(p_ - start));
            ++p_;
            return true;
        }
        if (c == '\\') {
            if (!escape()) return false;
            escaped = true;
        } else if (c < 0x20 || !utf8Sequence()) {
            return false;
        }
    }
}

bool AnswerSax::Scanner::escape() {
    ++p_;  // the backslash
    if (p_ == end_) return false;
    switch (*p_++) {
        case '"':
        case '\\':
        case '/':
        case 'b':
        case 'f':
        case 'n':
        case 'r':
        case 't':
            return true;
        case 'u':
            break;
        default:
            return false;
    }
    const JsonCharacter character = escapedCharacterAt(p_, end_);
    p_ += character.length;
    return character.length != 0;
}

bool AnswerSax::Scanner::utf8Sequence() {
    const JsonCharacter character = utf8CharacterAt(p_, end_);
    p_ += character.length;
    return character.length != 0;
}

bool AnswerSax::Scanner::number() {
    const char* numberEnd = jsonNumberEnd(p_, end_);
    if (numberEnd) p_ = numberEnd;
    return numberEnd != nullptr;
}

bool AnswerSax::Scanner::literal(std::string_view word) {
    if (static_cast<std::size_t>(end_ - p_) < word.size() ||
        std::string_view(p_, word.size()) != word)
        return false;
    p_ += word.size();
    return true;
}

bool AnswerSax::read(const QByteArray& answer) {
    Scanner scanner(*this, answer.constData(), answer.constData() + answer.size());
    switch (scanner.run()) {
        case Scanner::Outcome::Json:
            return true;
        case Scanner::Outcome::NotJson:
            return false;
        case Scanner::Outcome::TooDeep:
            break;
    }
    throw Error(jsonTooDeepMessage());
}

std::optional<qint64> AnswerSax::wholeNumber(std::string_view text) {
    qint64 value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || stop != end) return std::nullopt;
    return value;
}

}  // namespace norvan::shop
