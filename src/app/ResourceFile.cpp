#include "ResourceFile.h"

#include "common/Error.h"

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

void ExtractResourceFile(const QString& resName, const QString& fileName) {
    if (QFileInfo(fileName).isFile()) return;

    QFile resource(resourcePath(resName));
    if (!resource.open(QIODevice::ReadOnly))
        throw Error(QStringLiteral("Resource %1 not found").arg(resName));
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        throw Error(
            QStringLiteral("Cannot create file \"%1\". %2").arg(fileName, file.errorString()));
    }
    if (!copyAll(resource, file)) {
        const QString reason =
            file.error() != QFileDevice::NoError ? file.errorString() : resource.errorString();
        // A cut-off file would count as present at every later start and never be mended.
        file.remove();
        throw Error(QStringLiteral("Cannot write file \"%1\". %2").arg(fileName, reason));
    }
}

}  // namespace norvan::app
