// Preloaded into the program by a test (LD_PRELOAD): kills the program just before its Nth
// durable step on the file system inside its folder (a sync, a rename, a link, a removal), so
// that a test stops it at a chosen point between two such steps, the same point for the same N.
// NORVAN_KILL_AT_STEP gives N, NORVAN_KILL_IN_FOLDER the folder; without both it changes nothing.
#include <dlfcn.h>
#include <signal.h>
#include <stdio.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

struct KillSwitch {
    std::string folder;
    std::atomic<long> stepsLeft{0};  // 0: never

    KillSwitch() {
        if (const char* text = std::getenv("NORVAN_KILL_IN_FOLDER")) folder = text;
        if (const char* text = std::getenv("NORVAN_KILL_AT_STEP")) stepsLeft = std::atol(text);
        while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    }

    bool inFolder(std::string_view path) const {
        return !folder.empty() && path.starts_with(folder) &&
               (path.size() == folder.size() || path[folder.size()] == '/');
    }

    void step(std::string_view path) {
        if (inFolder(path) && stepsLeft.fetch_sub(1) == 1) raise(SIGKILL);
    }
};

KillSwitch& killSwitch() {
    static KillSwitch instance;
    return instance;
}

std::string pathOf(int descriptor) {
    const std::string link = "/proc/self/fd/" + std::to_string(descriptor);
    char target[4096];
    const ssize_t length = readlink(link.c_str(), target, sizeof target);
    return length > 0 ? std::string(target, static_cast<std::size_t>(length)) : std::string();
}

template <typename Function>
Function* next(const char* name) {
    return reinterpret_cast<Function*>(dlsym(RTLD_NEXT, name));
}

}  // namespace

extern "C" {

int fsync(int descriptor) {
    killSwitch().step(pathOf(descriptor));
    return next<int(int)>("fsync")(descriptor);
}

int fdatasync(int descriptor) {
    killSwitch().step(pathOf(descriptor));
    return next<int(int)>("fdatasync")(descriptor);
}

int unlink(const char* path) noexcept {
    killSwitch().step(path);
    return next<int(const char*)>("unlink")(path);
}

int link(const char* from, const char* to) noexcept {
    killSwitch().step(to);
    return next<int(const char*, const char*)>("link")(from, to);
}

int rename(const char* from, const char* to) noexcept {
    killSwitch().step(to);
    return next<int(const char*, const char*)>("rename")(from, to);
}

int renameat2(int fromFolder, const char* from, int toFolder, const char* to,
              unsigned int flags) noexcept {
    killSwitch().step(to);
    return next<int(int, const char*, int, const char*, unsigned int)>("renameat2")(
        fromFolder, from, toFolder, to, flags);
}

}  // extern "C"
