#include "common/Error.h"
#include "common/TextFile.h"
#include "common/TextFileReader.h"
#include "common/TextLines.h"
#include "support/ExpectError.h"
#include "support/Printers.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QTemporaryDir>

namespace norvan::common {
namespace {

// Read in pieces of any size, a file gives the lines that reading it whole and splitting its text
// gives, each cut to the longest line: characters and line ends cut between two pieces included.
TEST(TextFileReader, GivesTheLinesOfTheWholeTextWhereverThePiecesEnd) {
    const struct {
        const char* what;
        QByteArray bytes;
    } cases[] = {
        {"empty", ""},
        {"every kind of line end", "A;1\r\nB;2\rC;3\n\r\n\n\r\rD"},
        {"a line end last", "A\r\n"},
        {"Windows-1256", "\xD3\xE1\xC7\xE3;1\r\n\xED-2\r\n"},
        {"UTF-8", "\xEF\xBB\xBF\xDA\x86\xD8\xA7\xDB\x8C\r\n\xF0\x9F\x98\x80;\xE2\x82\xAC\n"},
        {"UTF-8, invalid and cut sequences",
         "\xEF\xBB\xBF\xE2\x82\r\n\xC3(\xBF\xBF\n\xF8x\xE2\x82"},
        {"UTF-8, a second mark",
         "\xEF\xBB\xBF\xEF\xBB\xBF"
         "A"},
        {"UTF-16 LE, a pair and an odd byte", QByteArray("\xFF\xFE"
                                                         "A\0\r\0\n\0=\xD8\0\xDE"
                                                         "B",
                                                         13)},
        {"UTF-16 BE, a lone CR", QByteArray("\xFE\xFF\0A\0\r\0B", 8)},
        {"half a mark", "\xEF\xBB"},
        {"a long line", QByteArray(23, 'x') + "\r\n" + QByteArray(9, 'y')},
    };
    QTemporaryDir dir;
    const QString path = dir.filePath("P.ecom");
    for (const auto& c : cases) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(file.write(c.bytes), c.bytes.size());
        file.close();
        for (const qsizetype longest : {qsizetype{4}, qsizetype{TextPane::kMaxLineRead}}) {
            QStringList whole = splitLines(readTextFile(path).text);
            for (QString& line : whole) line.truncate(longest);
            for (const qint64 chunk :
                 {qint64{1}, qint64{2}, qint64{3}, qint64{5}, qint64{1} << 20}) {
                for (const qsizetype step : {qsizetype{1}, qsizetype{3}, qsizetype{1000}}) {
                    TextFileReader reader(path, longest, chunk);
                    QStringList read;
                    for (QStringList lines; !(lines = reader.readLines(step)).isEmpty();) {
                        read += lines;
                        if (lines.size() < step) break;
                    }
                    EXPECT_EQ(read, whole) << c.what << ", lines of " << longest << ", pieces of "
                                           << chunk << ", steps of " << step;
                    EXPECT_TRUE(reader.readLines(step).isEmpty()) << c.what;
                }
            }
        }
    }
}

TEST(TextFileReader, AFileThatCannotBeOpenedNamesItsPath) {
    QTemporaryDir dir;
    const QString path = dir.filePath("gone.ecom");
    EXPECT_ERROR_STARTING_WITH(TextFileReader{path}, "Cannot open file \"" + path + "\". ");
}

}  // namespace
}  // namespace norvan::common
