#pragma once

#include <QString>
#include <QStringList>

namespace norvan::products {

// Path + name of every file in the folder `path` (ending with "/") whose name matches the
// wildcard `mask`: hidden, system and read-only files count, directories never, sub-folders are
// not searched. In the order the file system gives them.
QStringList FindFiles(const QString& path, const QString& mask);

// The folder the accounting program drops its product files into: appPath + "Products/".
QString productFolder(const QString& appPath);

}  // namespace norvan::products
