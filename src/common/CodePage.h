#pragma once

#include <QByteArray>
#include <QString>

namespace norvan::common {

// The accounting program's code page is Windows-1256. Characters it lacks become their
// best-fit character where Windows has one, otherwise "?".
enum class TextEncoding { Ansi, Utf8, Utf16LE, Utf16BE };

QByteArray encodeAnsi(const QString& text);
QString decodeAnsi(const QByteArray& bytes);

struct DecodedText {
    QString text;
    TextEncoding encoding = TextEncoding::Ansi;
};

// EF BB BF: UTF-8; FF FE: UTF-16 LE; FE FF: UTF-16 BE (the mark is dropped); otherwise ANSI.
DecodedText decodeText(const QByteArray& bytes);
// UTF-8 and UTF-16 are written with their byte-order mark, ANSI without.
QByteArray encodeText(const QString& text, TextEncoding encoding);

}  // namespace norvan::common
