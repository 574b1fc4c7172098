#include "TextPane.h"

#include "TextLines.h"

namespace norvan::common {

QString TextPane::appendLine(const QString& line) {
    const bool atLineStart = text_.isEmpty() || text_.endsWith(u'\n') || text_.endsWith(u'\r');
    const QString lineEnd = QStringLiteral("\r\n");
    QString added = atLineStart ? line + lineEnd : lineEnd + line;
    text_ += added;
    return added;
}

void TextPane::setText(const QString& text) {
    // A text whose lines all end with CR LF (an order file's) is kept as it is, not copied: it
    // may be tens of megabytes.
    const qsizetype crLfs = text.count(QStringLiteral("\r\n"));
    if (text.count(u'\r') == crLfs && text.count(u'\n') == crLfs) {
        text_ = text;
        return;
    }
    text_.clear();
    text_.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\r' || c == u'\n') {
            text_ += u"\r\n";
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
        } else {
            text_ += c;
        }
    }
}

int TextPane::lineCount() const {
    return static_cast<int>(splitLines(text_).size());  // lines are indexed by int, as line() is
}

QString TextPane::line(int index) const {
    return splitLines(text_).at(index).left(kMaxLineRead);
}

QStringList TextPane::lines() const {
    QStringList result = splitLines(text_);
    for (QString& l : result)
        if (l.size() > kMaxLineRead) l.truncate(kMaxLineRead);
    return result;
}

}  // namespace norvan::common
