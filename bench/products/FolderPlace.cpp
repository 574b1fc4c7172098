#include "FolderPlace.h"

#include <QDir>
#include <QStorageInfo>

namespace norvan::bench {

namespace {

FolderPlace describe(const QString& folder) {
    const QStorageInfo storage(folder);
    const QString type = QString::fromLatin1(storage.fileSystemType());
    return {QDir(folder).absolutePath(), type, QString::fromLocal8Bit(storage.device()),
            type == QStringLiteral("tmpfs") || type == QStringLiteral("ramfs")};
}

}  // namespace

FolderPlace folderPlace(const QString& asked) {
    if (!asked.isEmpty()) return describe(asked);
    const FolderPlace temporary = describe(QDir::tempPath());
    return temporary.inMemory ? describe(QStringLiteral("/var/tmp")) : temporary;
}

}  // namespace norvan::bench
