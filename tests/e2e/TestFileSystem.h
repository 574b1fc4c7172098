#pragma once

#include <QString>
#include <QStringList>

// The file system as the program in this test program sees it, under one folder: a disk that
// fills, and a record of the syncs. The C library's write, pwrite64, fsync and fdatasync are
// replaced in this program for it (Qt and SQLite call them); while no folder is watched they pass
// everything on.
namespace norvan::testing::fileSystem {

// From the chosen write into the folder on (1: the next one), every write into it and every sync
// of a file in it fails with ENOSPC, as on a disk without a free block, until the space is given
// back.
void fillAt(const QString& folder, long write);
void giveSpaceBack();
bool filled();  // the chosen write came, and failed

// Records the path of every file or folder under the folder that is synced, from now on.
void recordSyncs(const QString& folder);
QStringList takeSyncedPaths();  // in their order, and starts a new record

}  // namespace norvan::testing::fileSystem
