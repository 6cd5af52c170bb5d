// The virtual notebook's first hard disk as the image binding sees it: the
// FAT partitions of its MBR are the drives C:, D:, ... in table order, and its
// geometry is made up from the image's size, as a disk of 16 heads and 63
// sectors per track.
#pragma once

#include <cstdint>
#include <vector>

#include "save_to_disk/core/disk_requests.h"

// True for the MBR types of a FAT volume (FAT12, FAT16, FAT32, with CHS or LBA).
bool IsFatPartitionType(uint8_t type);

// The entries (1 to 4) of the FAT partitions in the image's first sector, in
// table order; none when the sector does not end in the boot signature.
std::vector<unsigned> FatPartitionsOf(const uint8_t (&firstSector)[512]);

// The geometry the drive answers for an image of `imageBytes` bytes.
DriveGeometryRecord ImageDiskGeometry(uint64_t imageBytes);
