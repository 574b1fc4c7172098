#include "OrderFile.h"

#include "common/CodePage.h"
#include "common/Error.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>

#include <fcntl.h>
#include <unistd.h>
#include <cerrno>
#include <cstdio>

namespace norvan::orders {

namespace {

Error cannotCreate(const QString& path, const QString& reason) {
    return Error(QStringLiteral("Cannot create file \"%1\". %2")
                     .arg(QDir::toNativeSeparators(path), reason));
}

// The file while it is written, under a name that does not end in ".ecom"; a file it created is
// removed again unless it was placed under its order file name.
class PartialFile {
  public:
    explicit PartialFile(const QString& folder)
        : file_(QDir(folder).filePath(
              QStringLiteral(".Order_%1.part")
                  .arg(QRandomGenerator::global()->generate64(), 16, 16, QChar(u'0')))) {}
    ~PartialFile() {
        if (created_ && !placed_) file_.remove();
    }
    PartialFile(const PartialFile&) = delete;
    PartialFile& operator=(const PartialFile&) = delete;

    bool create() { return created_ = file_.open(QIODevice::WriteOnly | QIODevice::NewOnly); }
    QFile& file() { return file_; }
    void markPlaced() { placed_ = true; }

  private:
    QFile file_;
    bool created_ = false;
    bool placed_ = false;
};

// Gives the file at from the name to unless a file of that name exists: false when one does.
bool moveWithoutReplacing(const QString& from, const QString& to) {
    const QByteArray source = QFile::encodeName(from);
    const QByteArray target = QFile::encodeName(to);
    if (::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) ==
        0)
        return true;
    if (errno == EINVAL || errno == ENOSYS) {
        // The file system cannot rename without replacing; a hard link cannot replace either.
        if (::link(source.constData(), target.constData()) == 0) {
            ::unlink(source.constData());
            return true;
        }
    }
    if (errno == EEXIST) return false;
    throw cannotCreate(to, qt_error_string(errno));
}

}  // namespace

QString orderFileName(const QDateTime& localTime, int copy) {
    QString stamp = localTime.toString(QStringLiteral("yyyy-MM-dd"));
    if (localTime.time() != QTime(0, 0)) stamp += localTime.toString(QStringLiteral(" HH-mm-ss"));
    if (copy > 1) stamp += u'_' + QString::number(copy);
    return QStringLiteral("Order_") + stamp + QStringLiteral(".ecom");
}

QString writeOrderFile(const QString& folder, const QString& text, const QDateTime& time) {
    const QDateTime localTime = time.toLocalTime();
    const QDir dir(folder);
    const QByteArray bytes = common::encodeAnsi(text);

    const QString firstChoice = dir.filePath(orderFileName(localTime));
    PartialFile partial(folder);
    QFile& file = partial.file();
    if (!partial.create()) throw cannotCreate(firstChoice, file.errorString());
    if (file.write(bytes) != bytes.size() || !file.flush())
        throw cannotCreate(firstChoice, file.errorString());
    if (::fsync(file.handle()) != 0) throw cannotCreate(firstChoice, qt_error_string(errno));
    file.close();

    for (int copy = 1;; ++copy) {
        const QString path = dir.filePath(orderFileName(localTime, copy));
        if (moveWithoutReplacing(file.fileName(), path)) {
            partial.markPlaced();
            return path;
        }
    }
}

}  // namespace norvan::orders
