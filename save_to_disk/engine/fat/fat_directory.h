// The 32-byte directory entries of a FAT volume.
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

#include "common/core/little_endian.h"
#include "save_to_disk/engine/fat/fat_geometry.h"
#include "save_to_disk/engine/fat/fat_table.h"

constexpr uint32_t kDirEntrySize = 32;
constexpr uint8_t kAttrVolumeLabel = 0x08;
constexpr uint8_t kAttrDirectory = 0x10;
constexpr uint8_t kEntryFree = 0xE5;
constexpr uint8_t kEntryEnd = 0x00;

struct FatDirEntry {
    char name[11];
    uint8_t attributes;
    uint8_t reserved[8];
    uint16_t startClusterHigh;
    uint8_t times[4];
    uint16_t startClusterLow;
    uint32_t size;
};
static_assert(sizeof(FatDirEntry) == kDirEntrySize);

// Where a directory entry lies: the absolute sector and the byte offset in it.
struct DirEntryPosition {
    uint32_t sector = 0;
    uint32_t offset = 0;
};

inline uint32_t EntryStartCluster(const uint8_t* e, bool fat32) {
    const uint32_t low = ReadLe16(e + 26);
    return fat32 ? (uint32_t(ReadLe16(e + 20)) << 16 | low) & 0x0FFFFFFF : low;
}

// A used entry of a file or directory (not free, not a volume label or a long-name piece).
inline bool IsUsedFileEntry(const uint8_t* e) {
    return e[0] != kEntryEnd && e[0] != kEntryFree && (e[11] & kAttrVolumeLabel) == 0;
}

inline bool IsDotEntry(const uint8_t* e) { return e[0] == '.'; }

// The sectors of the root directory in order: the fixed area of FAT12 and
// FAT16, or the clusters of FAT32's root chain (`fat` loaded); false when the
// chain leaves the data area, loops or cannot be read.
bool RootDirectorySectors(const FatGeometry& g, const FatTable& fat, std::vector<uint32_t>& sectors);

// The 11-byte directory form of the last component of a path ("SAVE2DSK.BIN"
// becomes "SAVE2DSKBIN"); false when it is no 8.3 name.
bool MakeShortName(const char* path, char out[11]);
