#include "common/CodePage.h"
#include "common/Error.h"
#include "common/TextFile.h"
#include "support/ExpectError.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QTemporaryDir>

using namespace norvan::common;

TEST(CodePage, Windows1256WithBestFitAndQuestionMark) {
    // Alef, Persian Yeh (best fit to Arabic Yeh 0xED), Arabic Yeh, Peh, a Chinese character.
    const QString text = QString::fromUtf8("Aا\u06CC\u064Aپ\u4E2D");
    EXPECT_EQ(encodeAnsi(text), QByteArray("A\xC7\xED\xED\x81?"));
    EXPECT_EQ(decodeAnsi(QByteArray("\xC7\x81")), QString::fromUtf8("اپ"));
}

TEST(CodePage, ByteOrderMarksChooseTheEncoding) {
    struct Case {
        QByteArray bytes;
        TextEncoding encoding;
    };
    const QString persian = QString::fromUtf8("سلام");
    const Case cases[] = {
        {QByteArray("\xEF\xBB\xBF") + persian.toUtf8(), TextEncoding::Utf8},
        {QByteArray("\xFF\xFE\x33\x06\x44\x06\x27\x06\x45\x06", 10), TextEncoding::Utf16LE},
        {QByteArray("\xFE\xFF\x06\x33\x06\x44\x06\x27\x06\x45", 10), TextEncoding::Utf16BE},
        {QByteArray("\xD3\xE1\xC7\xE3"), TextEncoding::Ansi},
    };
    for (const Case& c : cases) {
        const DecodedText decoded = decodeText(c.bytes);
        EXPECT_EQ(decoded.text, persian);
        EXPECT_EQ(decoded.encoding, c.encoding);
        EXPECT_EQ(encodeText(decoded.text, decoded.encoding),
                  c.bytes);  // a save writes the mark again
    }
}

TEST(TextFile, WritesAnsiWithoutMarkAndReportsFailures) {
    QTemporaryDir dir;
    const QString path = dir.filePath("out.ecom");
    writeTextFile(path, QString::fromUtf8("ب\r\n"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("\xC8\r\n"));
    EXPECT_EQ(readTextFile(path).text, QString::fromUtf8("ب\r\n"));

    EXPECT_THROW(readTextFile(dir.filePath("missing.ecom")), norvan::Error);
    // A folder cannot be written as a file.
    EXPECT_ERROR_STARTING_WITH(writeTextFile(dir.path(), "x"),
                               "Cannot create file \"" + dir.path() + "\". ");
}
