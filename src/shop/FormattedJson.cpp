#include "FormattedJson.h"

#include "JsonDepth.h"
#include "JsonEscape.h"
#include "JsonLexemes.h"
#include "common/Error.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <vector>

namespace norvan::shop {

namespace {

// Reads the answer once and writes the layout as it goes, copying number text and the plain runs
// of strings unchanged. A hand-made reader rather than a general JSON library: the layout needs
// no values, and every answer of the shop passes through here, so it must cost little next to
// the request itself. It writes UTF-16 straight into the text it returns, checking for room once
// per piece rather than per character. Anything that is not strict JSON (RFC 8259, UTF-8) gives
// up the text.
class LayoutFormatter {
  public:
    // Every line is indented by its depth, so a deeply nested text can grow a thousandfold when
    // laid out; the shop's answers grow to less than twice their size.
    static constexpr qsizetype kMaxGrowth = 4;
    static constexpr qsizetype kLayoutAlwaysTaken = qsizetype{1} << 20;

    LayoutFormatter(const char* begin, const char* end)
        : p_(begin),
          end_(end),
          maxLayout_(std::max((end - begin) * kMaxGrowth, kLayoutAlwaysTaken)) {
        makeRoom(2 * (end - begin) + 16);  // line breaks and indents come on top
    }

    enum class Outcome { LaidOut, NotJson, TooDeep, TooLarge };
    Outcome run();
    QString takeText() {
        text_.truncate(written());
        return std::move(text_);
    }
    qsizetype maxLayout() const { return maxLayout_; }

  private:
    struct Container {
        char closing;
        bool empty = true;
    };

    void skipBlanks() {
        while (p_ != end_ && (*p_ == ' ' || *p_ == '\n' || *p_ == '\r' || *p_ == '\t')) ++p_;
    }
    bool at(char c) const { return p_ != end_ && *p_ == c; }

    void newItem();
    bool member();
    void close();
    bool scalar();
    bool string();
    bool escape();
    bool number();
    bool literal(std::string_view word);
    void appendCodePoint(char32_t code);
    void indent() {
        const qsizetype blanks = 4 * static_cast<qsizetype>(containers_.size());
        makeRoom(blanks);
        out_ = std::fill_n(out_, blanks, u' ');
    }

    qsizetype written() const { return out_ - text_.data(); }
    // Room for `count` more characters behind out_.
    void makeRoom(qsizetype count) {
        if (limit_ - out_ >= count) return;
        const qsizetype used = out_ == nullptr ? 0 : written();
        text_.resize(std::max(2 * text_.size(), used + count));
        out_ = text_.data() + used;
        limit_ = text_.data() + text_.size();
    }
    // ASCII text: number text, literals, escapes, the layout's own characters.
    void append(std::string_view ascii) {
        makeRoom(static_cast<qsizetype>(ascii.size()));
        QChar* out = out_;  // a local the compiler keeps in a register
        for (const char c : ascii)
            *out++ = QChar(static_cast<char16_t>(static_cast<unsigned char>(c)));
        out_ = out;
    }
    void append(char c) { append(std::string_view(&c, 1)); }

    const char* p_;
    const char* end_;
    qsizetype maxLayout_;
    QString text_;
    QChar* out_ = nullptr;
    QChar* limit_ = nullptr;
    std::vector<Container> containers_;
};

LayoutFormatter::Outcome LayoutFormatter::run() {
    if (end_ - p_ >= 3 && std::string_view(p_, 3) == "\xEF\xBB\xBF") p_ += 3;  // byte-order mark
    skipBlanks();
    for (;;) {
        // Between two values the layout grows by one line and the closing lines of at most
        // kMaxJsonDepth containers.
        if (written() > maxLayout_) return Outcome::TooLarge;
        // A value: a container opens here and its first member or element follows at once.
        if (at('{') || at('[')) {
            if (containers_.size() == kMaxJsonDepth) return Outcome::TooDeep;
            const char closing = *p_ == '{' ? '}' : ']';
            append(*p_++);
            containers_.push_back({closing});
            skipBlanks();
            if (at(closing)) {
                ++p_;
                close();
            } else {
                newItem();
                if (closing == '}' && !member()) return Outcome::NotJson;
                continue;
            }
        } else if (!scalar()) {
            return Outcome::NotJson;
        }
        // After a value: a separator with the next item, or the end of containers.
        for (;;) {
            skipBlanks();
            if (containers_.empty()) return p_ == end_ ? Outcome::LaidOut : Outcome::NotJson;
            if (at(',')) {
                ++p_;
                skipBlanks();
                newItem();
                if (containers_.back().closing == '}' && !member()) return Outcome::NotJson;
                break;
            }
            if (!at(containers_.back().closing)) return Outcome::NotJson;
            ++p_;
            close();
        }
    }
}

// Every member or element starts a new line; all but the first follow a ",".
void LayoutFormatter::newItem() {
    Container& container = containers_.back();
    if (!container.empty) append(',');
    container.empty = false;
    append("\r\n");
    indent();
}

// A member's name, then its value on the same line.
bool LayoutFormatter::member() {
    if (!at('"') || !string()) return false;
    skipBlanks();
    if (!at(':')) return false;
    ++p_;
    skipBlanks();
    append(": ");
    return true;
}

void LayoutFormatter::close() {
    const char closing = containers_.back().closing;
    containers_.pop_back();
    append("\r\n");
    indent();
    append(closing);
}

bool LayoutFormatter::scalar() {
    if (p_ == end_) return false;
    switch (*p_) {
        case '"':
            return string();
        case 't':
            return literal("true");
        case 'f':
            return literal("false");
        case 'n':
            return literal("null");
        default:
            return number();
    }
}

bool LayoutFormatter::literal(std::string_view word) {
    if (std::size_t(end_ - p_) < word.size() || std::string_view(p_, word.size()) != word) {
        return false;
    }
    append(word);
    p_ += word.size();
    return true;
}

// The number's own text.
bool LayoutFormatter::number() {
    const char* numberEnd = jsonNumberEnd(p_, end_);
    if (!numberEnd) return false;
    append(std::string_view(p_, static_cast<std::size_t>(numberEnd - p_)));
    p_ = numberEnd;
    return true;
}

// Rewritten with the body's escapes: plain runs are copied, escapes of the answer are decoded
// and written again (so "\u0644" becomes the letter and "/" becomes "\/").
bool LayoutFormatter::string() {
    // Bytes that end a plain run: quote, backslash, "/", control characters and non-ASCII.
    static constexpr auto kEndsRun = [] {
        std::array<bool, 256> ends{};
        for (std::size_t c = 0; c < 0x20; ++c) ends[c] = true;
        for (std::size_t c = 0x80; c < 0x100; ++c) ends[c] = true;
        ends['"'] = ends['\\'] = ends['/'] = true;
        return ends;
    }();
    ++p_;
    append('"');
    for (;;) {
        const char* run = p_;
        const char* runEnd = p_;
        while (runEnd != end_ && !kEndsRun[static_cast<unsigned char>(*runEnd)]) ++runEnd;
        p_ = runEnd;
        append(std::string_view(run, static_cast<std::size_t>(runEnd - run)));
        if (p_ == end_) return false;
        const auto c = static_cast<unsigned char>(*p_);
        if (c == '"') {
            ++p_;
            append('"');
            return true;
        }
        if (c == '/') {
            append("\\/");
            ++p_;
        } else if (c == '\\') {
            if (!escape()) return false;
        } else if (c < 0x20) {
            return false;
        } else {
            const JsonCharacter character = utf8CharacterAt(p_, end_);
            if (character.length == 0) return false;
            p_ += character.length;
            appendCodePoint(character.code);
        }
    }
}

bool LayoutFormatter::escape() {
    ++p_;  // the backslash
    if (p_ == end_) return false;
    const char kind = *p_++;
    switch (kind) {
        case '"':
            append("\\\"");
            return true;
        case '\\':
            append("\\\\");
            return true;
        case '/':
            append("\\/");
            return true;
        case 'b':
        case 'f':
        case 'n':
        case 'r':
        case 't':
            append('\\');
            append(kind);
            return true;
        case 'u':
            break;
        default:
            return false;
    }
    const JsonCharacter character = escapedCharacterAt(p_, end_);
    if (character.length == 0) return false;
    p_ += character.length;
    appendCodePoint(character.code);
    return true;
}

void LayoutFormatter::appendCodePoint(char32_t code) {
    if (code < 0x80) {
        const char c = char(code);
        if (const char* escaped = jsonEscapeOf(c)) {
            append(escaped);
        } else {
            append(c);
        }
        return;
    }
    makeRoom(2);
    if (code < 0x10000) {
        *out_++ = QChar(static_cast<char16_t>(code));
    } else {
        *out_++ = QChar(QChar::highSurrogate(code));
        *out_++ = QChar(QChar::lowSurrogate(code));
    }
}

}  // namespace

QString formatJson(const QByteArray& utf8) {
    LayoutFormatter formatter(utf8.constData(), utf8.constData() + utf8.size());
    switch (formatter.run()) {
        case LayoutFormatter::Outcome::LaidOut:
            break;
        case LayoutFormatter::Outcome::NotJson:
            return {};
        case LayoutFormatter::Outcome::TooDeep:
            throw Error(jsonTooDeepMessage());
        case LayoutFormatter::Outcome::TooLarge:
            throw Error(QStringLiteral("The JSON text would grow past %1 characters when laid out.")
                            .arg(formatter.maxLayout()));
    }
    return formatter.takeText();
}

}  // namespace norvan::shop
