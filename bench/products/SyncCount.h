#pragma once

namespace norvan::bench {

// The disk syncs (fsync and fdatasync) this process has asked for so far, from any thread or
// library: SQLCipher's commits, Qt's files and the program's own.
long long syncCount();

}  // namespace norvan::bench
