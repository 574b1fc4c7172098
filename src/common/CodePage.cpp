#include "CodePage.h"

#include "Error.h"

#include <unicode/ucnv.h>

#include <memory>

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

QString fromUtf16(const QByteArray& bytes, bool bigEndian) {
    QString text(bytes.size() / 2, Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const auto hi = static_cast<uchar>(bytes[2 * i + (bigEndian ? 0 : 1)]);
        const auto lo = static_cast<uchar>(bytes[2 * i + (bigEndian ? 1 : 0)]);
        text[i] = QChar(static_cast<char16_t>(hi << 8 | lo));
    }
    return text;
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

QString decodeAnsi(const QByteArray& bytes) {
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

DecodedText decodeText(const QByteArray& bytes) {
    if (bytes.startsWith(kUtf8Bom)) return {QString::fromUtf8(bytes.mid(3)), TextEncoding::Utf8};
    if (bytes.startsWith(kUtf16LeBom))
        return {fromUtf16(bytes.mid(2), false), TextEncoding::Utf16LE};
    if (bytes.startsWith(kUtf16BeBom))
        return {fromUtf16(bytes.mid(2), true), TextEncoding::Utf16BE};
    return {decodeAnsi(bytes), TextEncoding::Ansi};
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
