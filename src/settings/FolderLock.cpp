#include "FolderLock.h"

#include "common/Error.h"

#include <QDir>
#include <QFile>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#include <cerrno>

namespace norvan::settings {

namespace {

Error folderError(const QString& what, const QString& folder) {
    return Error(QStringLiteral("%1 \"%2\". %3")
                     .arg(what, QDir::toNativeSeparators(folder), qt_error_string(errno)));
}

}  // namespace

FolderLock::FolderLock(const QString& folder)
    : folder_(folder),
      fd_(::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
    if (fd_ < 0) throw folderError(QStringLiteral("Cannot open folder"), folder_);
    int rc;
    do {
        rc = ::flock(fd_, LOCK_EX);
    } while (rc != 0 && errno == EINTR);
    if (rc != 0) {
        const Error error = folderError(QStringLiteral("Cannot lock folder"), folder_);
        ::close(fd_);
        throw error;
    }
}

FolderLock::~FolderLock() {
    ::close(fd_);
}

void FolderLock::syncNames() const {
    if (::fsync(fd_) != 0) throw folderError(QStringLiteral("Cannot write to folder"), folder_);
}

}  // namespace norvan::settings
