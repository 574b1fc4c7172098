#include "FileMove.h"

#include "Error.h"

#include <QDir>
#include <QFile>

#include <fcntl.h>
#include <unistd.h>
#include <cerrno>
#include <cstdio>

namespace norvan::common {

bool moveWithoutReplacing(const QString& from, const QString& to) {
    const QByteArray source = QFile::encodeName(from);
    const QByteArray target = QFile::encodeName(to);
    if (::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) ==
        0)
        return true;
    if (errno == EINVAL || errno == ENOSYS) {
        // The file system cannot rename without replacing; a hard link cannot replace either.
        if (::link(source.constData(), target.constData()) == 0) {
            ::unlink(source.constData());
            return true;
        }
    }
    if (errno == EEXIST) return false;
    throw Error(QStringLiteral("Cannot create file \"%1\". %2")
                    .arg(QDir::toNativeSeparators(to), qt_error_string(errno)));
}

}  // namespace norvan::common
