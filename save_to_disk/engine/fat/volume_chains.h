// The check that keeps the engine from making a damaged volume worse. The
// engine takes a zero FAT entry to mean "free" and writes only such clusters
// and the save file's own. After a crash a volume may hold chains that run
// into clusters the FAT calls free, files that share clusters, or FAT copies
// that disagree. Before anything is written the engine follows the chain of
// every file and directory in the tree, as a disk checker does, and compares
// the FAT copies where it could write; any of these refuses the volume.
#pragma once

#include <cstdint>

#include "save_to_disk/engine/disk_access.h"
#include "save_to_disk/engine/fat/fat_geometry.h"
#include "save_to_disk/engine/fat/fat_table.h"
#include "save_to_disk/engine/run_list.h"

enum class VolumeChains { Sound, Damaged, Unreadable };

// Damaged when a chain of a file or directory anywhere in the tree runs into a
// free cluster, into a cluster of another chain (or of the root directory), or
// back into itself. Chains that leave the data area and clusters that no chain
// owns are left alone: the engine never writes them. The walk is iterative:
// its work is bounded by the volume's clusters, not by the tree's depth.
VolumeChains CheckVolumeChains(DiskAccess& disk, unsigned drive, const FatGeometry& geometry, FatTable& fat);

// Damaged when a FAT copy disagrees with the first one about an entry the
// engine could write: one that either copy calls free, or one of `fileRuns`
// (the save file's clusters; may be empty).
VolumeChains CheckFatCopies(FatTable& fat, const RunList& fileRuns);
