#pragma once

#include "CodePage.h"
#include "TextPane.h"

#include <QFile>
#include <QString>
#include <QStringList>

namespace norvan::common {

// Reads a text file a few lines at a time, so that a file of any size takes little memory. The
// lines are those of readTextFile's text split by splitLines, each cut to maxLineLength
// characters: the rest of a longer line is read past, never held.
class TextFileReader {
  public:
    static constexpr qint64 kChunkBytes = qint64{1} << 20;

    // Throws Error "Cannot open file "<path>". <reason>" when it cannot be opened or read.
    explicit TextFileReader(const QString& path, qsizetype maxLineLength = TextPane::kMaxLineRead,
                            qint64 chunkBytes = kChunkBytes);

    // The next lines, at most `count`: fewer only at the end of the file. Throws Error as the
    // constructor when a read fails.
    QStringList readLines(qsizetype count);

  private:
    bool refill();  // decodes the next chunk into pending_; false at the end of the file
    QByteArray readChunk(qint64 bytes);
    [[noreturn]] void throwReadError() const;

    QFile file_;
    qsizetype maxLineLength_;
    qint64 chunkBytes_;
    TextDecoder decoder_{TextEncoding::Ansi};
    QString pending_;         // decoded and not yet split into lines
    qsizetype position_ = 0;  // in pending_
    QString line_;            // the line read so far, cut to maxLineLength_
    bool afterCr_ = false;    // the last line ended at a CR: an LF right after it is its end too
    bool finished_ = false;   // the whole file is decoded
};

}  // namespace norvan::common
