#include "SyncCount.h"

#include <dlfcn.h>

#include <atomic>

// This program's fsync and fdatasync come before the C library's in the dynamic linker's search
// (the link exports them), so the calls of every library land here, are counted and go on.

namespace {

std::atomic<long long> syncs{0};

template <typename Function>
Function* next(const char* name) {
    return reinterpret_cast<Function*>(dlsym(RTLD_NEXT, name));
}

}  // namespace

long long norvan::bench::syncCount() {
    return syncs.load();
}

extern "C" {

int fsync(int descriptor) {
    static auto* const libraryFsync = next<int(int)>("fsync");
    ++syncs;
    return libraryFsync(descriptor);
}

int fdatasync(int descriptor) {
    static auto* const libraryFdatasync = next<int(int)>("fdatasync");
    ++syncs;
    return libraryFdatasync(descriptor);
}

}  // extern "C"
