#include "save_to_disk/image/disk_image.h"

#include "common/core/little_endian.h"
#include "save_to_disk/core/partition_table.h"

namespace {

constexpr unsigned kDeepestLock = 3;
// What the image answers for the build number: Windows 98, FAT32-capable.
constexpr uint32_t kImageBuild = 1998;
static_assert(kImageBuild >= kFirstFat32Build);

}  // namespace

bool DiskImage::Open(std::unique_ptr<ImageFile> file, unsigned partition) {
    file_ = std::move(file);
    if (!file_) return false;
    const uint64_t imageBytes = file_->Size();
    volumeOffset_ = 0;
    volumeBytes_ = imageBytes;
    if (partition > 0) {
        uint8_t mbr[kMbrBytes];
        if (partition > kPartitionEntries || !ReadVolume(0, mbr, sizeof mbr) || !HasBootSignature(mbr)) return false;
        const PartitionEntry entry = ReadPartitionEntry(mbr, partition - 1);
        const uint64_t start = uint64_t(entry.firstSector) * kMbrBytes;
        const uint64_t length = uint64_t(entry.sectors) * kMbrBytes;
        if (entry.type == 0 || length == 0 || start + length > imageBytes) return false;
        volumeOffset_ = start;
        volumeBytes_ = length;
    }
    uint8_t boot[kMbrBytes];
    if (!ReadVolume(0, boot, sizeof boot)) return false;
    const uint32_t bytesPerSector = ReadLe16(boot + 11);
    if (IsFatSectorSize(bytesPerSector)) sectorSize_ = bytesPerSector;
    fat32_ = IsFat32BootSector(boot);
    std::vector<uint8_t> sector(sectorSize_);
    formatted_ = ReadVolume(0, sector.data(), sectorSize_) && ParseFatBootSector(sector.data(), fat32_, g_) &&
                 uint64_t(g_.totalSectors) * g_.bytesPerSector <= volumeBytes_;
    return true;
}

void DiskImage::SetLockFlagState(uint8_t state, unsigned count) {
    lockFlagState_ = state;
    lockFlagAnswers_ = count;
}

bool DiskImage::ReadVolume(uint64_t offset, void* data, uint64_t size) {
    if (!file_ || offset > volumeBytes_ || size > volumeBytes_ - offset) return false;
    return file_->Read(volumeOffset_ + offset, data, size);
}

bool DiskImage::WriteVolume(uint64_t offset, const void* data, uint64_t size) {
    if (!file_ || offset > volumeBytes_ || size > volumeBytes_ - offset) return false;
    return file_->Write(volumeOffset_ + offset, data, size);
}

bool DiskImage::GetVolumeFileSystemName(const std::string&, std::string& name) {
    name = fat32_ ? "FAT32" : "FAT";
    return true;
}

bool DiskImage::IsFixedDrive(const std::string&) { return true; }

bool DiskImage::IsWindows9x(uint32_t& build) {
    build = kImageBuild;
    return true;
}

bool DiskImage::LockVolume(unsigned, unsigned level, unsigned) {
    // Levels are taken one above the other: 1, then 2, then 3.
    if (level != lockDepth_ + 1 || level > kDeepestLock) return false;
    lockDepth_ = level;
    return true;
}

bool DiskImage::UnlockVolume(unsigned) {
    if (lockDepth_ == 0) return false;
    --lockDepth_;
    return true;
}

uint8_t DiskImage::GetLockFlagState(unsigned) {
    if (lockFlagAnswers_ == 0) return 0;
    --lockFlagAnswers_;
    return lockFlagState_;
}

bool DiskImage::ReadSectors(unsigned, uint32_t start, uint32_t count, void* buffer) {
    return ReadVolume(uint64_t(start) * sectorSize_, buffer, uint64_t(count) * sectorSize_);
}

bool DiskImage::WriteSectors(unsigned drive, uint32_t start, uint32_t count, const void* buffer, WriteKind) {
    // A write takes lock level 3 for its duration, so levels 1 and 2 must be held.
    if (!LockVolume(drive, kDeepestLock, 0)) return false;
    const bool written = WriteVolume(uint64_t(start) * sectorSize_, buffer, uint64_t(count) * sectorSize_);
    UnlockVolume(drive);
    return written;
}
