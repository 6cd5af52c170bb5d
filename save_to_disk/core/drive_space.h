// DriveSpaceInfo: a drive's capacity, free and used space in KB, from the
// answer of the system's free-space query. The used space leaves out the
// save file known to the caller, so the chart can show it apart.
#pragma once

#include <cstdint>
#include <string>

struct DriveSpaceInfo {
    uint64_t capacityKB = 0;
    uint64_t freeKB = 0;
    uint64_t usedKB = 0;
};

// From total and free bytes (the query of Windows NT and later Windows 95/98).
// False when the query gave no capacity.
bool DriveSpaceFromBytes(uint64_t totalBytes, uint64_t freeBytes, uint64_t saveFileBytes, DriveSpaceInfo& info);
// From the cluster counts (the query of the first Windows 95). False when any
// of sectors per cluster, bytes per sector or total clusters is 0.
bool DriveSpaceFromClusters(uint32_t sectorsPerCluster, uint32_t bytesPerSector, uint32_t freeClusters,
                            uint32_t totalClusters, uint64_t saveFileBytes, DriveSpaceInfo& info);

// A number as the value fields show it, in decimal.
std::string FormatKB(uint64_t kb);
// Size of a file in KB, rounded up.
inline uint64_t KBRoundedUp(uint64_t bytes) { return bytes / 1024 + (bytes % 1024 != 0); }
