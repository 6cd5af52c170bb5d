#include "save_to_disk/engine/fat/fat_geometry.h"

#include "common/core/little_endian.h"

namespace {

bool IsPowerOfTwo(uint32_t v) { return v != 0 && (v & (v - 1)) == 0; }

// Below 4085 clusters the usual rule says FAT12; the engine takes FAT12 below
// 4087. A volume of 4085 or 4086 clusters is read differently by different
// systems, so it is refused rather than guessed.
constexpr uint32_t kFat12Limit = 4085;
constexpr uint32_t kEngineFat12Limit = 4087;
constexpr uint32_t kFat16Limit = 65525;
constexpr uint16_t kFat32NoMirroring = 0x0080;
constexpr uint16_t kFat32ActiveFatMask = 0x000F;

}  // namespace

uint32_t FatGeometry::ClusterToSector(uint32_t cluster) const {
    uint64_t bytes = uint64_t(cluster - 2) * bytesPerCluster +
                     uint64_t(reservedSectors + fatCount * sectorsPerFat) * bytesPerSector;
    if (type != FatType::Fat32) bytes += uint64_t(rootEntries) * 32;
    return uint32_t(bytes / bytesPerSector);
}

bool IsFat32BootSector(const uint8_t* sector) { return ReadLe16(sector + 22) == 0; }

bool ParseFatBootSector(const uint8_t* s, bool fat32, FatGeometry& out) {
    FatGeometry g;
    g.bytesPerSector = ReadLe16(s + 11);
    g.sectorsPerCluster = s[13];
    g.reservedSectors = ReadLe16(s + 14);
    g.fatCount = s[16];
    g.rootEntries = ReadLe16(s + 17);
    g.totalSectors = ReadLe16(s + 19);
    if (g.totalSectors == 0) g.totalSectors = ReadLe32(s + 32);
    const uint32_t sectorsPerFat16 = ReadLe16(s + 22);
    g.sectorsPerFat = fat32 ? ReadLe32(s + 36) : sectorsPerFat16;

    if (!IsFatSectorSize(g.bytesPerSector) || !IsPowerOfTwo(g.sectorsPerCluster) || g.reservedSectors == 0 || g.fatCount == 0 ||
        g.sectorsPerFat == 0)
        return false;
    // A FAT32 boot sector has no 16-bit FAT size and no fixed root directory.
    if (fat32 != (sectorsPerFat16 == 0) || fat32 != (g.rootEntries == 0)) return false;
    g.bytesPerCluster = g.bytesPerSector * g.sectorsPerCluster;

    const uint64_t dataStart = uint64_t(g.reservedSectors) + uint64_t(g.fatCount) * g.sectorsPerFat +
                               g.RootDirSectors();
    if (dataStart >= g.totalSectors) return false;
    // The root entries' bytes count in whole, as the cluster-to-sector rule
    // counts them; a root directory that ends inside a sector is refused.
    if (uint64_t(g.rootEntries) * 32 % g.bytesPerSector != 0) return false;
    g.dataClusters = uint32_t((g.totalSectors - dataStart) / g.sectorsPerCluster);
    if (g.dataClusters == 0) return false;

    if (fat32) {
        if (g.dataClusters > 0x0FFFFFF5) return false;
        g.type = FatType::Fat32;
    } else if (g.dataClusters < kEngineFat12Limit) {
        if (g.dataClusters >= kFat12Limit) return false;
        g.type = FatType::Fat12;
    } else {
        if (g.dataClusters >= kFat16Limit) return false;
        g.type = FatType::Fat16;
    }

    // Every FAT copy must hold an entry for every cluster.
    const uint64_t entries = uint64_t(g.dataClusters) + 2;
    const uint64_t fatBytes = g.type == FatType::Fat12   ? (entries * 3 + 1) / 2
                              : g.type == FatType::Fat16 ? entries * 2
                                                         : entries * 4;
    if (fatBytes > uint64_t(g.sectorsPerFat) * g.bytesPerSector) return false;

    if (fat32) {
        g.rootCluster = ReadLe32(s + 44) & 0x0FFFFFFF;
        if (!g.IsDataCluster(g.rootCluster)) return false;
        // With mirroring off only the active FAT is kept; the engine writes
        // every copy from copy 0, so it takes only volumes that mirror or use copy 0.
        const uint16_t extFlags = ReadLe16(s + 40);
        if ((extFlags & kFat32NoMirroring) != 0 && (extFlags & kFat32ActiveFatMask) != 0) return false;
    }
    out = g;
    return true;
}
