#include "TextLines.h"

namespace norvan::common {

QStringList splitLines(const QString& text) {
    QStringList lines;
    const qsizetype n = text.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n') continue;
        lines.append(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n') ++i;
        start = i + 1;
    }
    if (start < n) lines.append(text.mid(start));
    return lines;
}

QString joinLines(const QStringList& lines) {
    QString text;
    for (const QString& line : lines) {
        text += line;
        text += u"\r\n";
    }
    return text;
}

int indexOfText(const QStringList& items, const QString& text) {
    for (int i = 0; i < items.size(); ++i)
        if (items[i].compare(text, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

}  // namespace norvan::common
