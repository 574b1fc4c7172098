#include "FullDisk.h"

#include <dlfcn.h>
#include <unistd.h>

#include <QFile>
#include <atomic>
#include <cerrno>
#include <string>
#include <string_view>

namespace norvan::testing::fullDisk {

namespace {

// Set while no call is watched, read by every call: the folder is written only before armed_.
std::string folder_;
std::atomic<bool> armed_{false};
std::atomic<long> writesLeft_{0};
std::atomic<bool> full_{false};

std::string pathOf(int descriptor) {
    const std::string link = "/proc/self/fd/" + std::to_string(descriptor);
    char target[4096];
    const ssize_t length = ::readlink(link.c_str(), target, sizeof target);
    return length > 0 ? std::string(target, static_cast<std::size_t>(length)) : std::string();
}

bool inFolder(int descriptor) {
    const std::string path = pathOf(descriptor);
    return std::string_view(path).starts_with(folder_) &&
           (path.size() == folder_.size() || path[folder_.size()] == '/');
}

// True when the call is to fail with ENOSPC.
bool failsWrite(int descriptor) {
    if (!armed_.load() || !inFolder(descriptor)) return false;
    if (!full_.load() && writesLeft_.fetch_sub(1) == 1) full_ = true;
    return full_.load();
}

bool failsSync(int descriptor) {
    return armed_.load() && full_.load() && inFolder(descriptor);
}

template <typename Function>
Function* next(const char* name) {
    return reinterpret_cast<Function*>(::dlsym(RTLD_NEXT, name));
}

}  // namespace

void fillAt(const QString& folder, long write) {
    armed_ = false;
    folder_ = QFile::encodeName(folder).toStdString();
    while (folder_.size() > 1 && folder_.back() == '/') folder_.pop_back();
    full_ = false;
    writesLeft_ = write;
    armed_ = true;
}

void giveSpaceBack() {
    armed_ = false;
}

bool filled() {
    return full_.load();
}

}  // namespace norvan::testing::fullDisk

using norvan::testing::fullDisk::failsSync;
using norvan::testing::fullDisk::failsWrite;
using norvan::testing::fullDisk::next;

// Each calls the C library's own function, found once, unless the disk is full.
extern "C" {

ssize_t write(int descriptor, const void* data, size_t size) {
    if (failsWrite(descriptor)) {
        errno = ENOSPC;
        return -1;
    }
    static auto* const real = next<ssize_t(int, const void*, size_t)>("write");
    return real(descriptor, data, size);
}

ssize_t pwrite64(int descriptor, const void* data, size_t size, off64_t offset) {
    if (failsWrite(descriptor)) {
        errno = ENOSPC;
        return -1;
    }
    static auto* const real = next<ssize_t(int, const void*, size_t, off64_t)>("pwrite64");
    return real(descriptor, data, size, offset);
}

int fsync(int descriptor) {
    if (failsSync(descriptor)) {
        errno = ENOSPC;
        return -1;
    }
    static auto* const real = next<int(int)>("fsync");
    return real(descriptor);
}

int fdatasync(int descriptor) {
    if (failsSync(descriptor)) {
        errno = ENOSPC;
        return -1;
    }
    static auto* const real = next<int(int)>("fdatasync");
    return real(descriptor);
}

}  // extern "C"
