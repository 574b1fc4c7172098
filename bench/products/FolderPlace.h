#pragma once

#include <QString>

namespace norvan::bench {

// The folder in which the bench makes its program folder, and the file system it is on.
struct FolderPlace {
    QString folder;
    QString fileSystem;  // "ext4", "tmpfs", …
    QString device;
    bool inMemory = false;  // tmpfs or ramfs: no sync ever reaches a disk
};

// The folder asked for; by default the temporary folder when it is on a disk, else /var/tmp:
// the program's own folder is on a disk, and its runs pay for the syncs there.
FolderPlace folderPlace(const QString& asked);

}  // namespace norvan::bench
