#pragma once

#include "common/Clock.h"
#include "common/TextPane.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace norvan::products {

// Path + name of every file in the folder `path` (ending with "/") whose name matches the
// wildcard `mask`: hidden, system and read-only files count, directories never, sub-folders are
// not searched. In the order the file system gives them.
QStringList FindFiles(const QString& path, const QString& mask);

// The folder the accounting program drops its product files into: appPath + "Products/".
QString productFolder(const QString& appPath);

// What one intake of the product folder took.
struct ProductIntake {
    QStringList lines;  // the non-empty lines of the files taken, oldest file first
    QString fileLeft;   // the first file left because it was still being written, if any
};

// Hands the lines of one product file over to be kept; the file is deleted only once this
// returned, so that no line is ever only in memory. Throws when the lines cannot be kept.
using KeepLines = std::function<void(const QStringList& lines)>;

// A product file counts as complete once it has not been written to for this long.
inline constexpr qint64 kCompleteFileAgeMs = 2000;

// Takes every product file of productFolder(appPath) in the order of their names (oldest first):
// reads it, hands its non-empty lines (each cut to 4,096 characters) to keep and deletes it. The
// files taken are shown one after another in `prodFiles`. A file modified less than
// kCompleteFileAgeMs before clock() is still being written: it and the files after it stay for a
// later intake, so that an older file's values never arrive after a newer one's. No folder or no
// file taken: no lines, `prodFiles` left alone.
ProductIntake takeProductFiles(const QString& appPath, common::TextPane& prodFiles,
                               const KeepLines& keep, const common::Clock& clock);

}  // namespace norvan::products
