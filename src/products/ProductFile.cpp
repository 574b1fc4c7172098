#include "ProductFile.h"

#include <QDir>

namespace norvan::products {

QStringList FindFiles(const QString& path, const QString& mask) {
    // As on the accounting side's Windows: hidden and system files count and the mask ignores
    // letter case. QDir::System also brings broken links, whose read then fails loudly.
    const QStringList names =
        QDir(path).entryList({mask}, QDir::Files | QDir::Hidden | QDir::System, QDir::Unsorted);
    QStringList files;
    files.reserve(names.size());
    for (const QString& name : names) files.append(path + name);
    return files;
}

QString productFolder(const QString& appPath) {
    return appPath + QStringLiteral("Products/");
}

}  // namespace norvan::products
