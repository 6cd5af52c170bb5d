#include "save_to_disk/engine/fat/fat_root_file.h"

#include <cstring>

#include "common/core/little_endian.h"
#include "save_to_disk/engine/fat/fat_directory.h"

namespace {

constexpr uint32_t kFileSector = 512;

}  // namespace

bool FatRootVolume::Mount(DiskAccess& disk, unsigned drive) {
    disk_ = &disk;
    drive_ = drive;
    fat_.reset();
    std::vector<uint8_t> boot(kLargestSectorBytes);
    if (!disk.ReadSectors(drive, 0, 1, boot.data()) || !ParseFatBootSector(boot.data(), IsFat32BootSector(boot.data()), g_))
        return false;
    fat_.emplace(disk, drive, g_);
    return fat_->Load();
}

uint32_t FatRootVolume::FreeClusters() const {
    uint32_t free = 0;
    if (!fat_) return free;
    int64_t entry;
    for (uint32_t c = 2; c < g_.ClusterLimit(); ++c) free += fat_->ReadFatEntry(c, entry) && entry == 0;
    return free;
}

bool FatRootVolume::Find(const char (&name)[11], FatRootFileEntry& entry) {
    std::vector<uint32_t> sectors;
    if (!disk_ || !fat_ || !RootDirectorySectors(g_, *fat_, sectors)) return false;
    std::vector<uint8_t> data(g_.bytesPerSector);
    for (uint32_t sector : sectors) {
        if (!disk_->ReadSectors(drive_, sector, 1, data.data())) return false;
        for (uint32_t at = 0; at + kDirEntrySize <= g_.bytesPerSector; at += kDirEntrySize) {
            const uint8_t* e = data.data() + at;
            if (e[0] == kEntryEnd) return false;
            // A directory of that name is no file: its clusters hold its entries.
            if (!IsUsedFileEntry(e) || (e[11] & kAttrDirectory) != 0 || std::memcmp(e, name, 11) != 0) continue;
            FatRootFileEntry found;
            found.size = ReadLe32(e + 28);
            found.attributes = e[11];
            const uint64_t wanted = (uint64_t(found.size) + BytesPerCluster() - 1) / BytesPerCluster();
            int64_t cluster = EntryStartCluster(e, IsFat32());
            while (cluster != 0 && cluster != FatTable::kEndOfChain) {
                if (!g_.IsDataCluster(uint64_t(cluster)) || found.clusters.size() > g_.dataClusters) return false;
                found.clusters.push_back(uint32_t(cluster));
                if (!fat_->ReadFatEntry(uint32_t(cluster), cluster)) return false;
            }
            if (found.clusters.size() < wanted) return false;
            entry = std::move(found);
            return true;
        }
    }
    return false;
}

bool FatRootVolume::FileSectorAt(const FatRootFileEntry& entry, uint64_t fileSector, uint32_t& sector,
                                 uint32_t& offset) const {
    const uint64_t byte = fileSector * kFileSector;
    const uint64_t index = byte / BytesPerCluster();
    if (index >= entry.clusters.size()) return false;
    const uint64_t inCluster = byte % BytesPerCluster();
    sector = uint32_t(g_.ClusterToSector(entry.clusters[size_t(index)]) + inCluster / g_.bytesPerSector);
    offset = uint32_t(inCluster % g_.bytesPerSector);
    return true;
}

bool FatRootVolume::WriteFileSector(const FatRootFileEntry& entry, uint64_t fileSector, const uint8_t (&data)[512]) {
    uint32_t sector, offset;
    std::vector<uint8_t> buffer(g_.bytesPerSector);
    if (!disk_ || !FileSectorAt(entry, fileSector, sector, offset)) return false;
    // A larger volume sector is read first, so its other bytes stay as they are.
    if (g_.bytesPerSector != kFileSector && !disk_->ReadSectors(drive_, sector, 1, buffer.data())) return false;
    std::memcpy(buffer.data() + offset, data, sizeof data);
    return disk_->WriteSectors(drive_, sector, 1, buffer.data(), kWriteFileData);
}
