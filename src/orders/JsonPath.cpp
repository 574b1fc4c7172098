#include "JsonPath.h"

#include "common/Error.h"

namespace norvan::orders {

namespace {

bool isBlank(QChar c) {
    return c.unicode() <= 0x20;
}

class JsonPathReader {
  public:
    explicit JsonPathReader(const QString& path) : path_(path) {}

    std::vector<JsonPathStep> read() {
        std::vector<JsonPathStep> steps;
        skipBlanks();
        if (!atEnd() && current() == u'.')
            throw Error(QStringLiteral("Unexpected char for root element: ."));
        while (!atEnd()) {
            if (current() == u'[') {
                steps.push_back(readIndexer());
            } else {
                // After a name the next character is "." or "["; after an indexer it must be.
                if (!steps.empty()) {
                    if (current() != u'.') throw unexpectedInIndexer();
                    ++pos_;
                }
                steps.push_back(readName());
            }
            skipBlanks();
        }
        return steps;
    }

  private:
    bool atEnd() const { return pos_ >= path_.size(); }
    QChar current() const { return path_[pos_]; }
    void skipBlanks() {
        while (!atEnd() && isBlank(current())) ++pos_;
    }

    Error unexpectedInIndexer() const {
        return Error(
            QStringLiteral("Unexpected character while parsing indexer: %1").arg(current()));
    }
    static Error openBracket() { return Error(QStringLiteral("Path ended with an open bracket")); }

    static QString trimmedOfBlanks(const QString& text) {
        qsizetype begin = 0;
        qsizetype end = text.size();
        while (begin < end && isBlank(text[begin])) ++begin;
        while (end > begin && isBlank(text[end - 1])) --end;
        return text.mid(begin, end - begin);
    }

    JsonPathStep readName() {
        const qsizetype start = pos_;
        while (!atEnd() && current() != u'.' && current() != u'[') ++pos_;
        const QString name = trimmedOfBlanks(path_.mid(start, pos_ - start));
        if (name.isEmpty())
            throw Error(QStringLiteral("Empty name not allowed in dot notation, use ['']"));
        return name;
    }

    JsonPathStep readIndexer() {
        ++pos_;  // "["
        skipBlanks();
        if (atEnd()) throw openBracket();
        if (current() == u'\'' || current() == u'"') return readQuotedName();
        const qsizetype start = pos_;
        while (!atEnd() && current() != u']') ++pos_;
        if (atEnd()) throw openBracket();
        const QString text = trimmedOfBlanks(path_.mid(start, pos_ - start));
        ++pos_;  // "]"
        bool ok = false;
        const qulonglong index = text.toULongLong(&ok);
        const bool digitsOnly = !text.isEmpty() && text[0].isDigit();  // no sign, no blank
        if (!ok || !digitsOnly)
            throw Error(QStringLiteral("Invalid index for array: %1").arg(text));
        return std::size_t(index);
    }

    JsonPathStep readQuotedName() {
        const QChar quote = current();
        ++pos_;
        QString name;
        while (!atEnd() && current() != quote) {
            if (current() == u'\\') ++pos_;  // the next character belongs to the name
            if (atEnd()) break;
            name += current();
            ++pos_;
        }
        if (atEnd()) throw Error(QStringLiteral("Path ended with an open string"));
        ++pos_;  // closing quote
        skipBlanks();
        if (atEnd()) throw openBracket();
        if (current() != u']') throw unexpectedInIndexer();
        ++pos_;
        return name;
    }

    const QString& path_;
    qsizetype pos_ = 0;
};

}  // namespace

std::vector<JsonPathStep> parseJsonPath(const QString& path) {
    return JsonPathReader(path).read();
}

}  // namespace norvan::orders
