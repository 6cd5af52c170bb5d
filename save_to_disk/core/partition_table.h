// The partition table of a disk's first sector (the MBR): four 16-byte
// entries from byte 446, each with its type at byte 4, its first sector at
// byte 8 and its length in sectors at byte 12, and the boot signature 55 AA
// in the sector's last two bytes.
#pragma once

#include <cstdint>

#include "common/core/little_endian.h"

inline constexpr uint32_t kMbrBytes = 512;
inline constexpr unsigned kPartitionEntries = 4;

struct PartitionEntry {
    uint8_t type;
    uint32_t firstSector;
    uint32_t sectors;
};

// Entry `index` (0 to 3) of the table.
inline PartitionEntry ReadPartitionEntry(const uint8_t (&mbr)[kMbrBytes], unsigned index) {
    const uint8_t* e = mbr + 446 + index % kPartitionEntries * 16;
    return PartitionEntry{e[4], ReadLe32(e + 8), ReadLe32(e + 12)};
}

inline bool HasBootSignature(const uint8_t (&mbr)[kMbrBytes]) { return mbr[510] == 0x55 && mbr[511] == 0xAA; }
