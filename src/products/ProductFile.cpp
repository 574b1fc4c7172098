#include "ProductFile.h"

#include "common/LocaleSort.h"
#include "common/TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

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

QStringList takeLastProductFile(const QString& appPath, common::TextPane& prodFiles) {
    const QString folder = productFolder(appPath);
    if (!QFileInfo(folder).isDir()) return {};
    QStringList files = FindFiles(folder, QStringLiteral("*.ecom"));
    if (files.isEmpty()) return {};
    // One file per run, the last in name order: a backlog is taken newest first by its name.
    common::localeSort(files);
    const QString path = files.last();

    prodFiles.clear();
    prodFiles.setText(common::readTextFile(path).text);
    QStringList lines;
    for (const QString& line : prodFiles.lines()) {
        if (!line.isEmpty()) lines.append(line);
    }
    // A file that cannot be deleted is simply read again by the next run.
    QFile::remove(path);
    return lines;
}

}  // namespace norvan::products
