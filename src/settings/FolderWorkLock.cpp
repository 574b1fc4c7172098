#include "FolderWorkLock.h"

#include "common/Error.h"

#include <QDir>
#include <QFile>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>

namespace norvan::settings {

namespace {

Error lockError(const QString& folder) {
    return Error(
        QStringLiteral("Cannot tell whether another copy of the program works on \"%1\". %2")
            .arg(QDir::toNativeSeparators(folder), qt_error_string(errno)));
}

}  // namespace

FolderWorkLock::FolderWorkLock(QString folder) : folder_(std::move(folder)) {}

FolderWorkLock::~FolderWorkLock() {
    if (fd_ >= 0) ::close(fd_);
}

bool FolderWorkLock::tryTake() {
    if (fd_ >= 0) return true;
    struct stat folder {};
    if (::stat(QFile::encodeName(folder_).constData(), &folder) != 0) throw lockError(folder_);
    // An abstract name begins with a zero byte and is gone with the last socket bound to it.
    const QByteArray name = QByteArrayLiteral("norvan-ecommerce-folder/") +
                            QByteArray::number(static_cast<quint64>(folder.st_dev)) + '/' +
                            QByteArray::number(static_cast<quint64>(folder.st_ino));
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path + 1, name.constData(), static_cast<std::size_t>(name.size()));
    const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 +
                                               static_cast<std::size_t>(name.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) throw lockError(folder_);
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), length) != 0) {
        const int reason = errno;
        ::close(fd);
        if (reason == EADDRINUSE) return false;
        errno = reason;
        throw lockError(folder_);
    }
    fd_ = fd;
    return true;
}

}  // namespace norvan::settings
