#include "save_to_disk/core/drive_space.h"

namespace {

// Whatever the query answered, used space never goes below zero.
uint64_t Remaining(uint64_t from, uint64_t less) { return from > less ? from - less : 0; }

}  // namespace

bool DriveSpaceFromBytes(uint64_t totalBytes, uint64_t freeBytes, uint64_t saveFileBytes, DriveSpaceInfo& info) {
    if (totalBytes == 0) return false;
    DriveSpaceInfo s;
    s.capacityKB = KBRoundedUp(totalBytes);
    s.freeKB = KBRoundedUp(freeBytes);
    s.usedKB = Remaining(s.capacityKB, saveFileBytes / 1024 + s.freeKB);
    info = s;
    return true;
}

bool DriveSpaceFromClusters(uint32_t sectorsPerCluster, uint32_t bytesPerSector, uint32_t freeClusters,
                            uint32_t totalClusters, uint64_t saveFileBytes, DriveSpaceInfo& info) {
    if (sectorsPerCluster == 0 || bytesPerSector == 0 || totalClusters == 0) return false;
    const uint64_t bytesPerCluster = uint64_t(sectorsPerCluster) * bytesPerSector;
    const uint64_t usedClusters = totalClusters > freeClusters ? totalClusters - freeClusters : 0;
    DriveSpaceInfo s;
    s.capacityKB = KBRoundedUp(bytesPerCluster * totalClusters);
    s.freeKB = KBRoundedUp(bytesPerCluster * freeClusters);
    s.usedKB = Remaining(bytesPerCluster * usedClusters, saveFileBytes) / 1024;
    info = s;
    return true;
}

std::string FormatKB(uint64_t kb) {
    char digits[24];
    int n = 0;
    do {
        digits[n++] = char('0' + kb % 10);
        kb /= 10;
    } while (kb != 0);
    std::string text;
    while (n > 0) text += digits[--n];
    return text;
}
