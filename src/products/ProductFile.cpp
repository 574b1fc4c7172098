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

ProductIntake takeProductFiles(const QString& appPath, common::TextPane& prodFiles,
                               const KeepLines& keep, const common::Clock& clock) {
    const QString folder = productFolder(appPath);
    if (!QFileInfo(folder).isDir()) return {};
    QStringList files = FindFiles(folder, QStringLiteral("*.ecom"));
    common::localeSort(files);

    ProductIntake intake;
    QString shown;
    for (const QString& path : files) {
        const QFileInfo info(path);
        // Nothing stops the accounting program's writes: a file still growing is left alone.
        // (A file without a time, such as a broken link, is read and fails loudly.)
        const QDateTime modified = info.lastModified();
        if (modified.isValid() && modified.msecsTo(clock()) < kCompleteFileAgeMs) {
            intake.fileLeft = info.fileName();
            break;
        }
        if (shown.isEmpty()) prodFiles.clear();  // a failed read leaves no old text shown
        common::TextPane file;
        file.setText(common::readTextFile(path).text);
        QStringList lines;
        for (const QString& line : file.lines()) {
            if (!line.isEmpty()) lines.append(line);
        }
        keep(lines);
        // A file that cannot be deleted is simply taken again by the next intake; its lines
        // then replace themselves.
        QFile::remove(path);
        intake.lines += lines;
        if (!shown.isEmpty() && !shown.endsWith(u'\n')) shown += QStringLiteral("\r\n");
        shown += file.text();
        prodFiles.setText(shown);
    }
    return intake;
}

}  // namespace norvan::products
