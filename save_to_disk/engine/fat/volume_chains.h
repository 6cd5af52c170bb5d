// The check that keeps the engine from making a damaged volume worse. The
// engine takes a zero FAT entry to mean "free"; after a crash a volume may
// hold chains that run into clusters the FAT calls free, or files that share
// clusters. Before the engine moves anything it follows the chain of every
// file and directory, as a disk checker does, and refuses when another chain
// runs into a free cluster or into the clusters of the file being moved.
#pragma once

#include <cstdint>

#include "save_to_disk/engine/disk_access.h"
#include "save_to_disk/engine/fat/fat_directory.h"
#include "save_to_disk/engine/fat/fat_geometry.h"
#include "save_to_disk/engine/fat/fat_table.h"
#include "save_to_disk/engine/run_list.h"

enum class VolumeChains { Sound, Damaged, Unreadable };

// `fileEntry` is the directory entry of the file that owns `fileRuns`.
VolumeChains CheckVolumeChains(DiskAccess& disk, unsigned drive, const FatGeometry& geometry,
                               FatTable& fat, const RunList& fileRuns, DirEntryPosition fileEntry);
