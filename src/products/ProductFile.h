#pragma once

#include "common/TextPane.h"

#include <QString>
#include <QStringList>

namespace norvan::products {

// Path + name of every file in the folder `path` (ending with "/") whose name matches the
// wildcard `mask`: hidden, system and read-only files count, directories never, sub-folders are
// not searched. In the order the file system gives them.
QStringList FindFiles(const QString& path, const QString& mask);

// The folder the accounting program drops its product files into: appPath + "Products/".
QString productFolder(const QString& appPath);

// Takes the product file that sorts last in productFolder(appPath), loads it into `prodFiles`
// and deletes it; returns its non-empty lines (each cut to 4,096 characters) for
// lstProdTextFile. No folder or no file: returns no lines and leaves `prodFiles` alone.
// Throws Error when the file cannot be read; the file then stays and `prodFiles` is empty.
QStringList takeLastProductFile(const QString& appPath, common::TextPane& prodFiles);

}  // namespace norvan::products
