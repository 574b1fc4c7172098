#include "CodePage.h"

#include "Error.h"

#include <unicode/ucnv.h>

#include <memory>
#include <utility>

namespace norvan::common {

namespace {

struct ConverterCloser {
    void operator()(UConverter* c) const { ucnv_close(c); }
};
using Converter = std::unique_ptr<UConverter, ConverterCloser>;

// Windows-1256 with best-fit fallbacks (Persian Yeh U+06CC becomes 0xED as on Windows) and "?"
// for a character that has no fit.
Converter openAnsiConverter() {
    UErrorCode status = U_ZERO_ERROR;
    Converter conv(ucnv_open("windows-1256", &status));
    if (U_FAILURE(status))
        throw Error(
            QStringLiteral("Code page windows-1256 is not available: %1").arg(u_errorName(status)));
    ucnv_setFallback(conv.get(), true);
    ucnv_setSubstChars(conv.get(), "?", 1, &status);
    return conv;
}

const char kUtf8Bom[] = "\xEF\xBB\xBF";
const char kUtf16LeBom[] = "\xFF\xFE";
const char kUtf16BeBom[] = "\xFE\xFF";

QString fromUtf16(QByteArrayView bytes, bool bigEndian) {
    QString text(bytes.size() / 2, Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const auto hi = static_cast<uchar>(bytes[2 * i + (bigEndian ? 0 : 1)]);
        const auto lo = static_cast<uchar>(bytes[2 * i + (bigEndian ? 1 : 0)]);
        text[i] = QChar(static_cast<char16_t>(hi << 8 | lo));
    }
    return text;
}

// Where the UTF-8 sequence that the bytes end in begins, when it is not complete yet: a lead
// byte whose sequence runs past the end. A decoder starts afresh at every lead byte, so the text
// decodes the same when it is cut there.
qsizetype incompleteUtf8Tail(QByteArrayView bytes) {
    for (qsizetype back = 1; back <= 3 && back <= bytes.size(); ++back) {
        const auto byte = static_cast<uchar>(bytes[bytes.size() - back]);
        if (byte < 0x80) return bytes.size();  // ASCII: nothing is cut
        if (byte < 0xC0) continue;             // a continuation byte: its lead is further back
        const qsizetype length = byte >= 0xF8 ? 1 : byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : 2;
        return length > back ? bytes.size() - back : bytes.size();
    }
    return bytes.size();
}

QByteArray toUtf16(const QString& text, bool bigEndian) {
    QByteArray bytes(text.size() * 2, Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text[i].unicode();
        bytes[2 * i + (bigEndian ? 0 : 1)] = static_cast<char>(u >> 8);
        bytes[2 * i + (bigEndian ? 1 : 0)] = static_cast<char>(u & 0xFF);
    }
    return bytes;
}

}  // namespace

QByteArray encodeAnsi(const QString& text) {
    if (text.isEmpty()) return {};
    Converter conv = openAnsiConverter();
    UErrorCode status = U_ZERO_ERROR;
    // A single-byte code page: one byte per UTF-16 unit at most.
    QByteArray bytes(text.size() + 1, Qt::Uninitialized);
    const int32_t length = ucnv_fromUChars(
        conv.get(), bytes.data(), static_cast<int32_t>(bytes.size()),
        reinterpret_cast<const UChar*>(text.utf16()), static_cast<int32_t>(text.size()), &status);
    if (U_FAILURE(status))
        throw Error(
            QStringLiteral("Cannot convert text to windows-1256: %1").arg(u_errorName(status)));
    bytes.truncate(length);
    return bytes;
}

QString decodeAnsi(QByteArrayView bytes) {
    if (bytes.isEmpty()) return {};
    Converter conv = openAnsiConverter();
    UErrorCode status = U_ZERO_ERROR;
    QString text(bytes.size() + 1, Qt::Uninitialized);
    const int32_t length = ucnv_toUChars(conv.get(), reinterpret_cast<UChar*>(text.data()),
                                         static_cast<int32_t>(text.size()), bytes.constData(),
                                         static_cast<int32_t>(bytes.size()), &status);
    if (U_FAILURE(status))
        throw Error(
            QStringLiteral("Cannot convert text from windows-1256: %1").arg(u_errorName(status)));
    text.truncate(length);
    return text;
}

ByteOrderMark byteOrderMark(QByteArrayView bytes) {
    if (bytes.startsWith(kUtf8Bom)) return {TextEncoding::Utf8, 3};
    if (bytes.startsWith(kUtf16LeBom)) return {TextEncoding::Utf16LE, 2};
    if (bytes.startsWith(kUtf16BeBom)) return {TextEncoding::Utf16BE, 2};
    return {};
}

DecodedText decodeText(const QByteArray& bytes) {
    const ByteOrderMark mark = byteOrderMark(bytes);
    TextDecoder decoder(mark.encoding);
    QString text = decoder.decode(QByteArrayView(bytes).sliced(mark.length));
    text += decoder.finish();
    return {text, mark.encoding};
}

QString TextDecoder::decode(QByteArrayView bytes) {
    if (encoding_ == TextEncoding::Ansi) return decodeAnsi(bytes);
    QByteArray joined = carried_ + bytes.toByteArray();
    qsizetype complete = joined.size();
    if (encoding_ == TextEncoding::Utf8)
        complete = incompleteUtf8Tail(joined);
    else
        complete -= complete % 2;
    carried_ = joined.sliced(complete);
    joined.truncate(complete);
    return encoding_ == TextEncoding::Utf8 ? QString::fromUtf8(joined)
                                           : fromUtf16(joined, encoding_ == TextEncoding::Utf16BE);
}

// An odd byte left at the end of UTF-16 is no character and is dropped.
QString TextDecoder::finish() {
    const QByteArray rest = std::exchange(carried_, {});
    return encoding_ == TextEncoding::Utf8 ? QString::fromUtf8(rest) : QString();
}

QByteArray encodeText(const QString& text, TextEncoding encoding) {
    switch (encoding) {
        case TextEncoding::Utf8:
            return QByteArray(kUtf8Bom) + text.toUtf8();
        case TextEncoding::Utf16LE:
            return QByteArray(kUtf16LeBom) + toUtf16(text, false);
        case TextEncoding::Utf16BE:
            return QByteArray(kUtf16BeBom) + toUtf16(text, true);
        case TextEncoding::Ansi:
            break;
    }
    return encodeAnsi(text);
}

}  // namespace norvan::common
