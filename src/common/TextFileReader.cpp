#include "TextFileReader.h"

#include "Error.h"

#include <algorithm>

namespace norvan::common {

namespace {

// A byte-order mark is at most this long; the first chunk holds it whole.
constexpr qint64 kLongestMark = 3;

}  // namespace

TextFileReader::TextFileReader(const QString& path, qsizetype maxLineLength, qint64 chunkBytes)
    : file_(path), maxLineLength_(maxLineLength), chunkBytes_(chunkBytes) {
    if (!file_.open(QIODevice::ReadOnly)) throwReadError();
    const QByteArray start = readChunk(std::max(chunkBytes_, kLongestMark));
    const ByteOrderMark mark = byteOrderMark(start);
    decoder_ = TextDecoder(mark.encoding);
    pending_ = decoder_.decode(QByteArrayView(start).sliced(mark.length));
    finished_ = start.isEmpty();
}

void TextFileReader::throwReadError() const {
    throw Error(
        QStringLiteral("Cannot open file \"%1\". %2").arg(file_.fileName(), file_.errorString()));
}

QByteArray TextFileReader::readChunk(qint64 bytes) {
    QByteArray chunk = file_.read(bytes);
    if (file_.error() != QFileDevice::NoError) throwReadError();
    return chunk;
}

bool TextFileReader::refill() {
    if (finished_) return false;
    pending_.clear();
    position_ = 0;
    const QByteArray chunk = readChunk(chunkBytes_);
    if (chunk.isEmpty()) {
        finished_ = true;
        pending_ = decoder_.finish();
    } else {
        pending_ = decoder_.decode(chunk);
    }
    return true;
}

QStringList TextFileReader::readLines(qsizetype count) {
    QStringList lines;
    while (lines.size() < count) {
        if (position_ == pending_.size()) {
            if (refill()) continue;
            // The end: a last line without a line end is a line too.
            if (!line_.isEmpty()) lines.append(std::exchange(line_, {}));
            break;
        }
        if (std::exchange(afterCr_, false) && pending_[position_] == u'\n') {
            ++position_;
            continue;
        }
        qsizetype end = position_;
        while (end < pending_.size() && pending_[end] != u'\r' && pending_[end] != u'\n') ++end;
        const qsizetype room = maxLineLength_ - line_.size();
        line_ += QStringView(pending_).sliced(position_, std::min(end - position_, room));
        position_ = end;
        if (end == pending_.size()) continue;  // the line goes on in the next chunk
        afterCr_ = pending_[end] == u'\r';
        ++position_;
        lines.append(std::exchange(line_, {}));
    }
    return lines;
}

}  // namespace norvan::common
