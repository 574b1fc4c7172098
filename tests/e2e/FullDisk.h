#pragma once

#include <QString>

namespace norvan::testing::fullDisk {

// A full disk under one folder, for the program run in this test program: from a chosen write
// into the folder on, every write into it and every sync of a file in it fails with ENOSPC, as
// on a disk without a free block, until the space is given back. The C library's write,
// pwrite64, fsync and fdatasync are replaced in this program for it (Qt and SQLite call them);
// they pass everything on while no folder is set.
void fillAt(const QString& folder, long write);  // 1: the next write into the folder fails
void giveSpaceBack();
bool filled();  // the chosen write came, and failed

}  // namespace norvan::testing::fullDisk
