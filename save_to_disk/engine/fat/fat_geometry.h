// The layout of a FAT volume as its boot sector gives it, with the checks that
// keep every sector number derived from it inside the volume.
#pragma once

#include <cstdint>

#include "common/core/little_endian.h"

enum class FatType : uint8_t { Fat12 = 0, Fat16 = 1, Fat32 = 2 };

// The sector sizes a FAT volume may have; a buffer of the largest holds any
// boot sector.
constexpr uint32_t kLargestSectorBytes = 4096;
inline bool IsFatSectorSize(uint32_t bytes) {
    return bytes == 512 || bytes == 1024 || bytes == 2048 || bytes == kLargestSectorBytes;
}

struct FatGeometry {
    FatType type = FatType::Fat16;
    uint32_t bytesPerSector = 0;
    uint32_t sectorsPerCluster = 0;
    uint32_t reservedSectors = 0;
    uint32_t fatCount = 0;
    uint32_t rootEntries = 0;
    uint32_t totalSectors = 0;
    uint32_t sectorsPerFat = 0;
    uint32_t bytesPerCluster = 0;
    uint32_t dataClusters = 0;
    uint32_t rootCluster = 0;  // FAT32 only

    uint32_t RootDirSector() const { return reservedSectors + fatCount * sectorsPerFat; }
    uint32_t RootDirSectors() const {
        return (rootEntries * 32 + bytesPerSector - 1) / bytesPerSector;
    }
    // Cluster numbers of the data area run from 2 to this, not included.
    uint32_t ClusterLimit() const { return dataClusters + 2; }
    bool IsDataCluster(uint64_t cluster) const { return cluster >= 2 && cluster < ClusterLimit(); }
    uint32_t ClusterToSector(uint32_t cluster) const;
    // The value that ends a chain, written as the entry's all-ones value.
    uint32_t EndOfChainMark() const {
        switch (type) {
        case FatType::Fat12: return 0xFFF;
        case FatType::Fat16: return 0xFFFF;
        default: return 0x0FFFFFFF;
        }
    }
    uint32_t EndOfChainThreshold() const {
        switch (type) {
        case FatType::Fat12: return 0xFF8;
        case FatType::Fat16: return 0xFFF8;
        default: return 0x0FFFFFF8;
        }
    }
};

// The fields of a boot sector (at least 512 bytes); the FAT type is taken from
// `fat32` (the file system's own name for the volume) and the cluster count.
// Fails, leaving `out` alone, when the layout is impossible or ambiguous.
bool ParseFatBootSector(const uint8_t* sector, bool fat32, FatGeometry& out);
// A FAT32 boot sector has no 16-bit FAT size (as Linux and the disk checkers
// decide when no file system names the volume).
bool IsFat32BootSector(const uint8_t* sector);

// Byte offset of cluster n's entry in a FAT, and the entry's value at that
// offset (FAT12 entries share bytes: the other half-byte is kept on store).
// Inline: every walk of a FAT calls them once per entry.
inline uint64_t FatEntryOffset(FatType type, uint32_t n) {
    switch (type) {
    case FatType::Fat12: return uint64_t(n) * 3 / 2;
    case FatType::Fat16: return uint64_t(n) * 2;
    default: return uint64_t(n) * 4;
    }
}

inline uint32_t LoadFatEntry(const uint8_t* at, FatType type, uint32_t n) {
    switch (type) {
    case FatType::Fat12: return (n & 1) ? ReadLe16(at) >> 4 : ReadLe16(at) & 0xFFFu;
    case FatType::Fat16: return ReadLe16(at);
    default: return ReadLe32(at) & 0x0FFFFFFF;
    }
}

inline void StoreFatEntry(uint8_t* at, FatType type, uint32_t n, uint32_t value) {
    switch (type) {
    case FatType::Fat12: {
        const uint16_t word = ReadLe16(at);
        WriteLe16(at, (n & 1) ? uint16_t((word & 0x000F) | (value & 0xFFF) << 4)
                              : uint16_t((word & 0xF000) | (value & 0xFFF)));
        break;
    }
    case FatType::Fat16: WriteLe16(at, uint16_t(value)); break;
    default: WriteLe32(at, value); break;
    }
}
