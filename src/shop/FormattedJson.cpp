#include "FormattedJson.h"

#include "JsonDepth.h"
#include "JsonEscape.h"
#include "common/Error.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

namespace norvan::shop {

namespace {

// Reads the answer once and writes the layout as it goes, copying number text and the plain runs
// of strings unchanged. A hand-made reader rather than a general JSON library: the layout needs
// no values, and every answer of the shop passes through here, so it must cost little next to
// the request itself. Anything that is not strict JSON (RFC 8259, UTF-8) gives up the text.
class LayoutFormatter {
  public:
    // Every line is indented by its depth, so a deeply nested text can grow a thousandfold when
    // laid out; the shop's answers grow to less than twice their size.
    static constexpr std::size_t kMaxGrowth = 4;
    static constexpr std::size_t kLayoutAlwaysTaken = std::size_t{1} << 20;

    LayoutFormatter(const char* begin, const char* end)
        : p_(begin),
          end_(end),
          maxLayout_(
              std::max(static_cast<std::size_t>(end - begin) * kMaxGrowth, kLayoutAlwaysTaken)) {
        out_.reserve(static_cast<std::size_t>(end - begin) * 2);  // line breaks and indents
    }

    enum class Outcome { LaidOut, NotJson, TooDeep, TooLarge };
    Outcome run();
    const std::string& text() const { return out_; }
    std::size_t maxLayout() const { return maxLayout_; }

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
    bool plainUtf8();
    void appendCodePoint(char32_t code);
    void indent() { out_.append(4 * containers_.size(), ' '); }

    const char* p_;
    const char* end_;
    std::size_t maxLayout_;
    std::string out_;
    std::vector<Container> containers_;
};

LayoutFormatter::Outcome LayoutFormatter::run() {
    if (end_ - p_ >= 3 && std::string_view(p_, 3) == "\xEF\xBB\xBF") p_ += 3;  // byte-order mark
    skipBlanks();
    for (;;) {
        // Between two values the layout grows by one line and the closing lines of at most
        // kMaxJsonDepth containers.
        if (out_.size() > maxLayout_) return Outcome::TooLarge;
        // A value: a container opens here and its first member or element follows at once.
        if (at('{') || at('[')) {
            if (containers_.size() == kMaxJsonDepth) return Outcome::TooDeep;
            const char closing = *p_ == '{' ? '}' : ']';
            out_ += *p_++;
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
    if (!container.empty) out_ += ',';
    container.empty = false;
    out_ += "\r\n";
    indent();
}

// A member's name, then its value on the same line.
bool LayoutFormatter::member() {
    if (!at('"') || !string()) return false;
    skipBlanks();
    if (!at(':')) return false;
    ++p_;
    skipBlanks();
    out_ += ": ";
    return true;
}

void LayoutFormatter::close() {
    const char closing = containers_.back().closing;
    containers_.pop_back();
    out_ += "\r\n";
    indent();
    out_ += closing;
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
    out_ += word;
    p_ += word.size();
    return true;
}

// The number's own text: -?(0|[1-9][0-9]*)(.[0-9]+)?([eE][+-]?[0-9]+)?
bool LayoutFormatter::number() {
    const char* start = p_;
    const auto digits = [this] {
        const char* first = p_;
        while (p_ != end_ && *p_ >= '0' && *p_ <= '9') ++p_;
        return p_ - first;
    };
    if (at('-')) ++p_;
    if (at('0')) {
        ++p_;
    } else if (digits() == 0) {
        return false;
    }
    if (at('.')) {
        ++p_;
        if (digits() == 0) return false;
    }
    if (at('e') || at('E')) {
        ++p_;
        if (at('+') || at('-')) ++p_;
        if (digits() == 0) return false;
    }
    out_.append(start, p_);
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
    out_ += '"';
    for (;;) {
        const char* run = p_;
        while (p_ != end_ && !kEndsRun[static_cast<unsigned char>(*p_)]) ++p_;
        out_.append(run, p_);
        if (p_ == end_) return false;
        const auto c = static_cast<unsigned char>(*p_);
        if (c == '"') {
            ++p_;
            out_ += '"';
            return true;
        }
        if (c == '/') {
            out_ += "\\/";
            ++p_;
        } else if (c == '\\') {
            if (!escape()) return false;
        } else if (c < 0x20) {
            return false;
        } else {
            const char* sequence = p_;
            if (!plainUtf8()) return false;
            out_.append(sequence, p_);
        }
    }
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool LayoutFormatter::escape() {
    ++p_;  // the backslash
    if (p_ == end_) return false;
    const char kind = *p_++;
    switch (kind) {
        case '"':
            out_ += "\\\"";
            return true;
        case '\\':
            out_ += "\\\\";
            return true;
        case '/':
            out_ += "\\/";
            return true;
        case 'b':
        case 'f':
        case 'n':
        case 'r':
        case 't':
            out_ += '\\';
            out_ += kind;
            return true;
        case 'u':
            break;
        default:
            return false;
    }
    const auto unit = [this]() -> int {
        if (end_ - p_ < 4) return -1;
        int value = 0;
        for (int i = 0; i < 4; ++i) {
            const int digit = hexValue(*p_++);
            if (digit < 0) return -1;
            value = value * 16 + digit;
        }
        return value;
    };
    const int first = unit();
    if (first < 0 || (first >= 0xDC00 && first <= 0xDFFF)) return false;
    char32_t code = char32_t(first);
    if (first >= 0xD800 && first <= 0xDBFF) {  // a surrogate pair stands for one character
        if (end_ - p_ < 2 || p_[0] != '\\' || p_[1] != 'u') return false;
        p_ += 2;
        const int second = unit();
        if (second < 0xDC00 || second > 0xDFFF) return false;
        code = 0x10000 + ((char32_t(first) - 0xD800) << 10) + (char32_t(second) - 0xDC00);
    }
    appendCodePoint(code);
    return true;
}

void LayoutFormatter::appendCodePoint(char32_t code) {
    if (code < 0x80) {
        const char c = char(code);
        if (const char* escaped = jsonEscapeOf(c)) {
            out_ += escaped;
        } else {
            out_ += c;
        }
        return;
    }
    if (code < 0x800) {
        out_ += char(0xC0 | (code >> 6));
    } else if (code < 0x10000) {
        out_ += char(0xE0 | (code >> 12));
        out_ += char(0x80 | ((code >> 6) & 0x3F));
    } else {
        out_ += char(0xF0 | (code >> 18));
        out_ += char(0x80 | ((code >> 12) & 0x3F));
        out_ += char(0x80 | ((code >> 6) & 0x3F));
    }
    out_ += char(0x80 | (code & 0x3F));
}

// One well-formed UTF-8 sequence (no overlong forms, no surrogates, at most U+10FFFF).
bool LayoutFormatter::plainUtf8() {
    const auto byte = [this](std::ptrdiff_t i) { return static_cast<unsigned char>(p_[i]); };
    const unsigned char lead = byte(0);
    std::ptrdiff_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return false;
    }
    if (end_ - p_ < length || byte(1) < low || byte(1) > high) return false;
    for (std::ptrdiff_t i = 2; i < length; ++i) {
        if (byte(i) < 0x80 || byte(i) > 0xBF) return false;
    }
    p_ += length;
    return true;
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
            throw Error(QStringLiteral("The JSON text would grow past %1 bytes when laid out.")
                            .arg(formatter.maxLayout()));
    }
    return QString::fromStdString(formatter.text());
}

}  // namespace norvan::shop
