#include "ResourceFile.h"

#include "common/Error.h"
#include "common/FileMove.h"

#include <unistd.h>
#include <cerrno>

#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace norvan::app {

namespace {

constexpr qint64 kMaxCopyBuffer = qint64{1024} * 1024;

QString resourcePath(const QString& resName) {
    return QStringLiteral(":/rcdata/") + resName;
}

// Copies the whole resource into the open file; false when a read or write fails.
bool copyAll(QFile& resource, QFile& file) {
    QByteArray buffer(std::min(resource.size(), kMaxCopyBuffer), Qt::Uninitialized);
    for (;;) {
        const qint64 read = resource.read(buffer.data(), buffer.size());
        if (read < 0) return false;
        if (read == 0) return file.flush();
        if (file.write(buffer.constData(), read) != read) return false;
    }
}

}  // namespace

bool hasDataResource(const QString& resName) {
    return QFileInfo(resourcePath(resName)).isFile();
}

// The file is written under the name "<fileName>.part" and takes its own name only when whole:
// a cut-off file would count as present at every later start and never be mended, also when the
// program is killed while writing it. A part file left by such a start is written again.
void ExtractResourceFile(const QString& resName, const QString& fileName) {
    const QFileInfo existing(fileName);
    if (existing.isFile()) return;
    if (existing.isDir()) {
        throw Error(
            QStringLiteral("Cannot create file \"%1\". %2").arg(fileName, qt_error_string(EISDIR)));
    }

    QFile resource(resourcePath(resName));
    if (!resource.open(QIODevice::ReadOnly))
        throw Error(QStringLiteral("Resource %1 not found").arg(resName));
    QFile part(fileName + QStringLiteral(".part"));
    if (!part.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        throw Error(
            QStringLiteral("Cannot create file \"%1\". %2").arg(fileName, part.errorString()));
    }
    if (!copyAll(resource, part) || ::fsync(part.handle()) != 0) {
        const QString reason = part.error() != QFileDevice::NoError       ? part.errorString()
                               : resource.error() != QFileDevice::NoError ? resource.errorString()
                                                                          : qt_error_string(errno);
        part.remove();
        throw Error(QStringLiteral("Cannot write file \"%1\". %2").arg(fileName, reason));
    }
    part.close();
    // Whatever took the name meanwhile is kept.
    if (!common::moveWithoutReplacing(part.fileName(), fileName)) part.remove();
}

}  // namespace norvan::app
