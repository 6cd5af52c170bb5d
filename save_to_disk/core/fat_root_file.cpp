#include "save_to_disk/core/fat_root_file.h"

#include <cstring>

#include "save_to_disk/core/little_endian.h"

namespace {

constexpr uint32_t kEntrySize = 32;
constexpr uint8_t kEntryEnd = 0x00;
constexpr uint8_t kEntryFree = 0xE5;
constexpr uint8_t kAttrVolumeLabel = 0x08;
constexpr uint32_t kFatReadSectors = 128;
constexpr uint32_t kFileSector = 512;

}  // namespace

bool FatRootVolume::Mount(DiskAccess& disk, unsigned drive) {
    disk_ = &disk;
    drive_ = drive;
    std::vector<uint8_t> boot(4096);
    if (!disk.ReadSectors(drive, 0, 1, boot.data())) return false;
    const uint8_t* b = boot.data();
    bytesPerSector_ = ReadLe16(b + 11);
    sectorsPerCluster_ = b[13];
    reserved_ = ReadLe16(b + 14);
    fats_ = b[16];
    rootEntries_ = ReadLe16(b + 17);
    totalSectors_ = ReadLe16(b + 19) != 0 ? ReadLe16(b + 19) : ReadLe32(b + 32);
    const bool fat32 = ReadLe16(b + 22) == 0;
    sectorsPerFat_ = fat32 ? ReadLe32(b + 36) : ReadLe16(b + 22);
    rootCluster_ = fat32 ? ReadLe32(b + 44) : 0;
    if ((bytesPerSector_ != 512 && bytesPerSector_ != 1024 && bytesPerSector_ != 2048 && bytesPerSector_ != 4096) ||
        sectorsPerCluster_ == 0 || (sectorsPerCluster_ & (sectorsPerCluster_ - 1)) != 0 || reserved_ == 0 ||
        fats_ == 0 || sectorsPerFat_ == 0)
        return false;
    const uint64_t rootSectors = (uint64_t(rootEntries_) * kEntrySize + bytesPerSector_ - 1) / bytesPerSector_;
    const uint64_t dataStart = reserved_ + uint64_t(fats_) * sectorsPerFat_ + rootSectors;
    if (dataStart >= totalSectors_) return false;
    dataClusters_ = uint32_t((totalSectors_ - dataStart) / sectorsPerCluster_);
    fatBits_ = fat32 ? 32 : dataClusters_ < 4085 ? 12 : 16;
    if (dataClusters_ == 0 || (fat32 && (rootCluster_ < 2 || rootCluster_ >= dataClusters_ + 2))) return false;
    // The FAT must hold an entry for every cluster.
    const uint64_t fatBytes = uint64_t(sectorsPerFat_) * bytesPerSector_;
    if (uint64_t(dataClusters_ + 2) * fatBits_ / 8 + 1 > fatBytes) return false;

    fat_.resize(size_t(fatBytes));
    for (uint32_t done = 0; done < sectorsPerFat_;) {
        const uint32_t count = sectorsPerFat_ - done < kFatReadSectors ? sectorsPerFat_ - done : kFatReadSectors;
        if (!disk.ReadSectors(drive, reserved_ + done, count, fat_.data() + size_t(done) * bytesPerSector_))
            return false;
        done += count;
    }
    return true;
}

uint32_t FatRootVolume::FatEntry(uint32_t n) const {
    switch (fatBits_) {
    case 12: {
        const uint32_t word = ReadLe16(fat_.data() + n * 3 / 2);
        return n % 2 ? word >> 4 : word & 0xFFF;
    }
    case 16:
        return ReadLe16(fat_.data() + size_t(n) * 2);
    default:
        return ReadLe32(fat_.data() + size_t(n) * 4) & 0x0FFFFFFF;
    }
}

bool FatRootVolume::EndOfChain(uint32_t value) const {
    return value >= (fatBits_ == 12 ? 0xFF8u : fatBits_ == 16 ? 0xFFF8u : 0x0FFFFFF8u);
}

uint32_t FatRootVolume::FreeClusters() const {
    uint32_t free = 0;
    for (uint32_t c = 2; c < dataClusters_ + 2; ++c) free += FatEntry(c) == 0;
    return free;
}

uint64_t FatRootVolume::ClusterSector(uint32_t cluster) const {
    const uint64_t rootSectors = (uint64_t(rootEntries_) * kEntrySize + bytesPerSector_ - 1) / bytesPerSector_;
    return reserved_ + uint64_t(fats_) * sectorsPerFat_ + rootSectors + uint64_t(cluster - 2) * sectorsPerCluster_;
}

bool FatRootVolume::RootSectors(std::vector<uint32_t>& sectors) const {
    sectors.clear();
    if (fatBits_ != 32) {
        const uint32_t first = reserved_ + fats_ * sectorsPerFat_;
        const uint32_t count = (rootEntries_ * kEntrySize + bytesPerSector_ - 1) / bytesPerSector_;
        for (uint32_t i = 0; i < count; ++i) sectors.push_back(first + i);
        return true;
    }
    uint32_t cluster = rootCluster_;
    for (uint32_t steps = 0; steps <= dataClusters_; ++steps) {
        for (uint32_t i = 0; i < sectorsPerCluster_; ++i) sectors.push_back(uint32_t(ClusterSector(cluster) + i));
        const uint32_t next = FatEntry(cluster);
        if (EndOfChain(next)) return true;
        if (next < 2 || next >= dataClusters_ + 2) return false;
        cluster = next;
    }
    return false;  // a loop
}

bool FatRootVolume::Find(const char (&name)[11], FatRootFileEntry& entry) {
    std::vector<uint32_t> sectors;
    if (!disk_ || !RootSectors(sectors)) return false;
    std::vector<uint8_t> data(bytesPerSector_);
    for (uint32_t sector : sectors) {
        if (!disk_->ReadSectors(drive_, sector, 1, data.data())) return false;
        for (uint32_t at = 0; at + kEntrySize <= bytesPerSector_; at += kEntrySize) {
            const uint8_t* e = data.data() + at;
            if (e[0] == kEntryEnd) return false;
            if (e[0] == kEntryFree || (e[11] & kAttrVolumeLabel) || std::memcmp(e, name, 11) != 0) continue;
            FatRootFileEntry found;
            found.size = ReadLe32(e + 28);
            found.attributes = e[11];
            uint32_t cluster = ReadLe16(e + 26) | (fatBits_ == 32 ? uint32_t(ReadLe16(e + 20)) << 16 : 0);
            const uint64_t wanted = (uint64_t(found.size) + BytesPerCluster() - 1) / BytesPerCluster();
            while (cluster != 0 && !EndOfChain(cluster)) {
                if (cluster < 2 || cluster >= dataClusters_ + 2 || found.clusters.size() > dataClusters_) return false;
                found.clusters.push_back(cluster);
                cluster = FatEntry(cluster);
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
    sector = uint32_t(ClusterSector(entry.clusters[size_t(index)]) + inCluster / bytesPerSector_);
    offset = uint32_t(inCluster % bytesPerSector_);
    return true;
}

bool FatRootVolume::ReadFileSector(const FatRootFileEntry& entry, uint64_t fileSector, uint8_t (&data)[512]) {
    uint32_t sector, offset;
    std::vector<uint8_t> buffer(bytesPerSector_);
    if (!disk_ || !FileSectorAt(entry, fileSector, sector, offset) ||
        !disk_->ReadSectors(drive_, sector, 1, buffer.data()))
        return false;
    std::memcpy(data, buffer.data() + offset, sizeof data);
    return true;
}

bool FatRootVolume::WriteFileSector(const FatRootFileEntry& entry, uint64_t fileSector, const uint8_t (&data)[512]) {
    uint32_t sector, offset;
    std::vector<uint8_t> buffer(bytesPerSector_);
    if (!disk_ || !FileSectorAt(entry, fileSector, sector, offset)) return false;
    // A larger volume sector is read first, so its other bytes stay as they are.
    if (bytesPerSector_ != kFileSector && !disk_->ReadSectors(drive_, sector, 1, buffer.data())) return false;
    std::memcpy(buffer.data() + offset, data, sizeof data);
    return disk_->WriteSectors(drive_, sector, 1, buffer.data(), kWriteFileData);
}
