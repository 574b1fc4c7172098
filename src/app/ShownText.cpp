#include "ShownText.h"

namespace norvan::app {

QString shownText(QStringView text) {
    if (text.size() <= kMaxShownCharacters) return text.toString();
    return text.left(kMaxShownCharacters).toString() +
           QStringLiteral(" … [cut: %1 characters in all]").arg(text.size());
}

QString shownLines(const QString& text) {
    QString shown;
    qsizetype copied = 0;  // the text up to here is in shown
    for (qsizetype start = 0; start < text.size();) {
        qsizetype end = text.indexOf(u'\n', start);
        if (end < 0) end = text.size();
        const qsizetype length = end - start - (end > start && text[end - 1] == u'\r' ? 1 : 0);
        if (length > kMaxShownCharacters) {
            shown += QStringView(text).mid(copied, start - copied);
            shown += shownText(QStringView(text).mid(start, length));
            copied = start + length;
        }
        start = end + 1;
    }
    // Nearly every text has no such line and is shown as it is, without a copy.
    if (copied == 0) return text;
    shown += QStringView(text).mid(copied);
    return shown;
}

}  // namespace norvan::app
