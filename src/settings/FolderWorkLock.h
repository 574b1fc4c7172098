#pragma once

#include <QString>

namespace norvan::settings {

// Held by the one copy of the program that works on a folder: its settings database, product
// files, order files and kept lines. A second copy started on the same folder does not get it
// until the first one ends, however it ends (the system lets go of it with the process). Tries
// never block, so that a copy that waits for it keeps its window alive. Nothing is left in the
// folder: the lock is a name of the system's (an abstract local socket named after the folder's
// device and inode, so that every path to the folder names the same lock).
class FolderWorkLock {
  public:
    explicit FolderWorkLock(QString folder);  // does not take it yet
    ~FolderWorkLock();
    FolderWorkLock(const FolderWorkLock&) = delete;
    FolderWorkLock& operator=(const FolderWorkLock&) = delete;

    // True when this object holds the lock, taken now or before; false while another holds it.
    // Throws Error when the folder cannot be found or the lock cannot be asked for.
    bool tryTake();
    bool held() const { return fd_ >= 0; }

  private:
    QString folder_;
    int fd_ = -1;
};

}  // namespace norvan::settings
