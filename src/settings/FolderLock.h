#pragma once

#include <QString>

namespace norvan::settings {

// Holds a folder exclusively against other processes that lock it too (an advisory lock on the
// folder itself, so no lock file is left behind); the lock ends with the object or the process.
class FolderLock {
  public:
    // Waits for the lock. Throws Error when the folder cannot be opened or locked.
    explicit FolderLock(const QString& folder);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    // Makes the names given in the folder so far durable.
    void syncNames() const;

  private:
    QString folder_;
    int fd_;
};

}  // namespace norvan::settings
