#include "OrderFile.h"

#include "common/CodePage.h"
#include "common/Error.h"
#include "common/FileMove.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>

#include <fcntl.h>
#include <unistd.h>
#include <cerrno>

namespace norvan::orders {

namespace {

Error cannotCreate(const QString& path, const QString& reason) {
    return Error(QStringLiteral("Cannot create file \"%1\". %2")
                     .arg(QDir::toNativeSeparators(path), reason));
}

QString newPartFileName(const QString& folder) {
    return QDir(folder).filePath(
        QStringLiteral(".Order_%1.part")
            .arg(QRandomGenerator::global()->generate64(), 16, 16, QChar(u'0')));
}

// A renamed file survives a power cut only once its folder is on disk too.
void syncFolder(const QString& folder, const QString& path) {
    const int handle =
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const bool synced = handle >= 0 && ::fsync(handle) == 0;
    const int reason = errno;
    if (handle >= 0) ::close(handle);
    if (!synced) throw cannotCreate(path, qt_error_string(reason));
}

// The copy number given last to an order file of one second, by the first name of that second:
// the next order of the second starts after it.
struct LastCopy {
    QString firstName;
    int copy = 0;
};

LastCopy& lastCopy() {
    static LastCopy last;
    return last;
}

}  // namespace

QString orderFileName(const QDateTime& localTime, int copy) {
    QString stamp = localTime.toString(QStringLiteral("yyyy-MM-dd"));
    if (localTime.time() != QTime(0, 0)) stamp += localTime.toString(QStringLiteral(" HH-mm-ss"));
    if (copy > 1) stamp += u'_' + QString::number(copy);
    return QStringLiteral("Order_") + stamp + QStringLiteral(".ecom");
}

OrderFileDraft::OrderFileDraft(const QString& folder, const QDateTime& time)
    : folder_(folder),
      localTime_(time.toLocalTime()),
      firstName_(QDir(folder).filePath(orderFileName(localTime_))),
      part_(newPartFileName(folder)) {
    if (!part_.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        throw cannotCreate(firstName_, part_.errorString());
}

OrderFileDraft::~OrderFileDraft() {
    if (named_ || kept_) return;
    part_.close();
    // The static remove: the file object's own refuses after a failed flush on a full disk.
    QFile::remove(part_.fileName());
}

void OrderFileDraft::write(const QString& text) {
    const QByteArray bytes = common::encodeAnsi(text);
    if (part_.write(bytes) != bytes.size() || !part_.flush())
        throw cannotCreate(firstName_, part_.errorString());
    if (::fsync(part_.handle()) != 0) throw cannotCreate(firstName_, qt_error_string(errno));
    part_.close();
}

QString OrderFileDraft::name(const std::function<void(const QString& path)>& beforeTry) {
    const QDir dir(folder_);
    LastCopy& last = lastCopy();
    for (int copy = last.firstName == firstName_ ? last.copy + 1 : 1;; ++copy) {
        QString path = dir.filePath(orderFileName(localTime_, copy));
        if (beforeTry) beforeTry(path);
        if (common::moveWithoutReplacing(part_.fileName(), path)) {
            named_ = true;
            last = {firstName_, copy};
            syncFolder(folder_, path);
            return path;
        }
    }
}

QString writeOrderFile(const QString& folder, const QString& text, const QDateTime& time) {
    OrderFileDraft draft(folder, time);
    draft.write(text);
    return draft.name();
}

}  // namespace norvan::orders
