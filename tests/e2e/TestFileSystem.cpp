#include "TestFileSystem.h"

#include <dlfcn.h>
#include <unistd.h>

#include <QFile>
#include <atomic>
#include <cerrno>
#include <mutex>
#include <string>
#include <string_view>
#include <utility>

namespace norvan::testing::fileSystem {

namespace {

enum class Watch { Nothing, FullDisk, Syncs };

// The folder is set only while nothing is watched; every call reads watch_ first.
std::string folder_;
std::atomic<Watch> watch_{Watch::Nothing};
std::atomic<long> writesLeft_{0};
std::atomic<bool> full_{false};
std::mutex syncedMutex_;
QStringList synced_;

std::string pathOf(int descriptor) {
    const std::string link = "/proc/self/fd/" + std::to_string(descriptor);
    char target[4096];
    const ssize_t length = ::readlink(link.c_str(), target, sizeof target);
    return length > 0 ? std::string(target, static_cast<std::size_t>(length)) : std::string();
}

bool inFolder(const std::string& path) {
    return std::string_view(path).starts_with(folder_) &&
           (path.size() == folder_.size() || path[folder_.size()] == '/');
}

void watch(Watch what, const QString& folder) {
    watch_ = Watch::Nothing;
    folder_ = QFile::encodeName(folder).toStdString();
    while (folder_.size() > 1 && folder_.back() == '/') folder_.pop_back();
    watch_ = what;
}

// True when the call is to fail with ENOSPC.
bool failsWrite(int descriptor) {
    if (watch_.load() != Watch::FullDisk || !inFolder(pathOf(descriptor))) return false;
    if (!full_.load() && writesLeft_.fetch_sub(1) == 1) full_ = true;
    return full_.load();
}

// A sync is recorded while syncs are watched; true when it is to fail with ENOSPC.
bool failsSync(int descriptor) {
    switch (watch_.load()) {
        case Watch::Nothing:
            return false;
        case Watch::FullDisk:
            return full_.load() && inFolder(pathOf(descriptor));
        case Watch::Syncs:
            if (const std::string path = pathOf(descriptor); inFolder(path)) {
                const std::lock_guard lock(syncedMutex_);
                synced_.append(QFile::decodeName(QByteArray::fromStdString(path)));
            }
            return false;
    }
    return false;
}

template <typename Function>
Function* next(const char* name) {
    return reinterpret_cast<Function*>(::dlsym(RTLD_NEXT, name));
}

}  // namespace

void fillAt(const QString& folder, long write) {
    full_ = false;
    writesLeft_ = write;
    watch(Watch::FullDisk, folder);
}

void giveSpaceBack() {
    watch_ = Watch::Nothing;
}

bool filled() {
    return full_.load();
}

void recordSyncs(const QString& folder) {
    takeSyncedPaths();
    watch(Watch::Syncs, folder);
}

QStringList takeSyncedPaths() {
    const std::lock_guard lock(syncedMutex_);
    return std::exchange(synced_, {});
}

}  // namespace norvan::testing::fileSystem

using norvan::testing::fileSystem::failsSync;
using norvan::testing::fileSystem::failsWrite;
using norvan::testing::fileSystem::next;

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
