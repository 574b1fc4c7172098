#include "DelimitedText.h"

namespace norvan::common {

namespace {

bool isBlank(QChar c) {
    return c.unicode() >= 0x0001 && c.unicode() <= 0x0020;
}

}  // namespace

QStringList splitDelimited(const QString& text, QChar delimiter) {
    QStringList fields;
    const qsizetype n = text.size();
    qsizetype i = 0;
    auto skipBlanks = [&] {
        while (i < n && isBlank(text[i])) ++i;
    };

    skipBlanks();
    while (i < n) {
        QString field;
        if (text[i] == u'"') {
            ++i;
            while (i < n) {
                if (text[i] == u'"') {
                    if (i + 1 < n && text[i + 1] == u'"') {
                        field += u'"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                field += text[i++];
            }
        } else {
            const qsizetype start = i;
            while (i < n && !isBlank(text[i]) && text[i] != delimiter) ++i;
            field = text.mid(start, i - start);
        }
        fields.append(field);
        skipBlanks();
        if (i < n && text[i] == delimiter) {
            if (i == n - 1) fields.append(QString());
            ++i;
            skipBlanks();
        }
    }
    return fields;
}

}  // namespace norvan::common
