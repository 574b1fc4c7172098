#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace norvan::common {

// The accounting program's code page is Windows-1256. Characters it lacks become their
// best-fit character where Windows has one, otherwise "?".
enum class TextEncoding { Ansi, Utf8, Utf16LE, Utf16BE };

QByteArray encodeAnsi(const QString& text);
QString decodeAnsi(QByteArrayView bytes);

struct DecodedText {
    QString text;
    TextEncoding encoding = TextEncoding::Ansi;
};

// EF BB BF: UTF-8; FF FE: UTF-16 LE; FE FF: UTF-16 BE (the mark is dropped); otherwise ANSI.
DecodedText decodeText(const QByteArray& bytes);

// The encoding that the start of a text's bytes names, and the length of its mark (0: none).
struct ByteOrderMark {
    TextEncoding encoding = TextEncoding::Ansi;
    qsizetype length = 0;
};
ByteOrderMark byteOrderMark(QByteArrayView bytes);

// Decodes text that arrives in pieces exactly as decodeText decodes it whole (after the mark): a
// character cut between two pieces is decoded once the rest of it has come.
class TextDecoder {
  public:
    explicit TextDecoder(TextEncoding encoding) : encoding_(encoding) {}
    QString decode(QByteArrayView bytes);  // the characters complete so far
    QString finish();                      // what is left at the end of the text

  private:
    TextEncoding encoding_;
    QByteArray carried_;  // the start of a character whose rest has not come yet
};
// UTF-8 and UTF-16 are written with their byte-order mark, ANSI without.
QByteArray encodeText(const QString& text, TextEncoding encoding);

}  // namespace norvan::common
