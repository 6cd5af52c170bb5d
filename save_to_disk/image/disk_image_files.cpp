// The file-system side of the disk image: the few calls the engines make
// through the file system, done on the image's FAT and directories.
#include <cstring>

#include "common/core/little_endian.h"
#include "save_to_disk/image/disk_image.h"

namespace {

constexpr uint8_t kAttrArchive = 0x20;
constexpr uint32_t kFsInfoFreeCount = 488;
constexpr uint32_t kFsInfoNextFree = 492;

// "C:\DIR\NAME.EXT" without the drive: the components "DIR", "NAME.EXT".
bool SplitPath(const std::string& path, std::vector<std::string>& parts) {
    if (path.size() < 3 || path[1] != ':' || path[2] != '\\') return false;
    parts.clear();
    size_t start = 3;
    while (start <= path.size()) {
        const size_t end = path.find('\\', start);
        const std::string part = path.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!part.empty()) parts.push_back(part);
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return true;
}

std::string LongFormOf(const uint8_t* e) {
    std::string name(reinterpret_cast<const char*>(e), 8);
    name.erase(name.find_last_not_of(' ') + 1);
    std::string ext(reinterpret_cast<const char*>(e + 8), 3);
    ext.erase(ext.find_last_not_of(' ') + 1);
    return ext.empty() ? name : name + "." + ext;
}

}  // namespace

bool DiskImage::LoadFat() {
    if (!formatted_) return false;
    fat_.resize(size_t(g_.sectorsPerFat) * g_.bytesPerSector);
    return ReadVolume(uint64_t(g_.reservedSectors) * g_.bytesPerSector, fat_.data(), fat_.size());
}

bool DiskImage::StoreFat() {
    for (uint32_t copy = 0; copy < g_.fatCount; ++copy) {
        const uint64_t at = (uint64_t(g_.reservedSectors) + uint64_t(copy) * g_.sectorsPerFat) * g_.bytesPerSector;
        if (!WriteVolume(at, fat_.data(), fat_.size())) return false;
    }
    if (g_.type != FatType::Fat32) return true;
    // Keep the FAT32 free-cluster count in step, as the file system does.
    uint8_t boot[512];
    if (!ReadVolume(0, boot, sizeof boot)) return false;
    const uint32_t infoSector = ReadLe16(boot + 48);
    if (infoSector == 0 || infoSector >= g_.reservedSectors) return true;
    std::vector<uint8_t> info(g_.bytesPerSector);
    const uint64_t at = uint64_t(infoSector) * g_.bytesPerSector;
    if (!ReadVolume(at, info.data(), info.size())) return false;
    uint32_t freeCount = 0;
    for (uint32_t c = 2; c < g_.ClusterLimit(); ++c) freeCount += FatEntry(c) == 0;
    WriteLe32(info.data() + kFsInfoFreeCount, freeCount);
    WriteLe32(info.data() + kFsInfoNextFree, 0xFFFFFFFF);
    return WriteVolume(at, info.data(), info.size());
}

uint32_t DiskImage::FatEntry(uint32_t n) const {
    return LoadFatEntry(fat_.data() + FatEntryOffset(g_.type, n), g_.type, n);
}

void DiskImage::SetFatEntry(uint32_t n, uint32_t value) {
    StoreFatEntry(fat_.data() + FatEntryOffset(g_.type, n), g_.type, n, value);
}

bool DiskImage::DirectorySectors(uint32_t firstCluster, std::vector<uint32_t>& sectors) const {
    sectors.clear();
    if (firstCluster == 0 && g_.type != FatType::Fat32) {
        for (uint32_t s = 0; s < g_.RootDirSectors(); ++s) sectors.push_back(g_.RootDirSector() + s);
        return true;
    }
    uint32_t c = firstCluster == 0 ? g_.rootCluster : firstCluster;
    for (uint32_t steps = 0; steps < g_.dataClusters && g_.IsDataCluster(c); ++steps) {
        for (uint32_t s = 0; s < g_.sectorsPerCluster; ++s) sectors.push_back(g_.ClusterToSector(c) + s);
        const uint32_t next = FatEntry(c);
        if (next >= g_.EndOfChainThreshold()) return true;
        c = next;
    }
    return false;
}

bool DiskImage::FindInDirectory(uint32_t directoryCluster, const char name[11], FoundEntry& found) {
    std::vector<uint32_t> sectors;
    if (!DirectorySectors(directoryCluster, sectors)) return false;
    std::vector<uint8_t> sector(g_.bytesPerSector);
    for (uint32_t s : sectors) {
        if (!ReadSectors(0, s, 1, sector.data())) return false;
        for (uint32_t off = 0; off < g_.bytesPerSector; off += kDirEntrySize) {
            const uint8_t* e = sector.data() + off;
            if (e[0] == kEntryEnd) return false;
            if (!IsUsedFileEntry(e) || std::memcmp(e, name, 11) != 0) continue;
            found.position = {s, off};
            std::memcpy(found.bytes, e, kDirEntrySize);
            return true;
        }
    }
    return false;
}

bool DiskImage::ParentDirectory(const std::string& path, uint32_t& cluster) {
    std::vector<std::string> parts;
    if (!SplitPath(path, parts) || parts.empty() || !LoadFat()) return false;
    uint32_t directory = 0;
    for (size_t i = 0; i + 1 < parts.size(); ++i) {
        char name[11];
        FoundEntry found;
        if (!MakeShortName(parts[i].c_str(), name) || !FindInDirectory(directory, name, found) ||
            (found.bytes[11] & kAttrDirectory) == 0)
            return false;
        directory = EntryStartCluster(found.bytes, g_.type == FatType::Fat32);
    }
    cluster = directory;
    return true;
}

bool DiskImage::FindEntry(const std::string& path, FoundEntry& found) {
    uint32_t directory;
    char name[11];
    return ParentDirectory(path, directory) && MakeShortName(path.c_str(), name) &&
           FindInDirectory(directory, name, found);
}

bool DiskImage::FindFreeEntry(uint32_t directoryCluster, DirEntryPosition& position) {
    std::vector<uint32_t> sectors;
    if (!DirectorySectors(directoryCluster, sectors)) return false;
    std::vector<uint8_t> sector(g_.bytesPerSector);
    for (uint32_t s : sectors) {
        if (!ReadSectors(0, s, 1, sector.data())) return false;
        for (uint32_t off = 0; off < g_.bytesPerSector; off += kDirEntrySize) {
            if (sector[off] == kEntryEnd || sector[off] == kEntryFree) {
                position = {s, off};
                return true;
            }
        }
    }
    return false;
}

bool DiskImage::WriteEntry(const DirEntryPosition& position, const uint8_t* bytes) {
    return WriteVolume(uint64_t(position.sector) * g_.bytesPerSector + position.offset, bytes, kDirEntrySize);
}

void DiskImage::FreeChain(uint32_t start) {
    uint32_t c = start;
    for (uint32_t steps = 0; steps < g_.dataClusters && g_.IsDataCluster(c); ++steps) {
        const uint32_t next = FatEntry(c);
        if (next == 0) return;
        SetFatEntry(c, 0);
        if (next >= g_.EndOfChainThreshold()) return;
        c = next;
    }
}

int64_t DiskImage::GetFirstCluster(const std::string& path) {
    std::vector<std::string> parts;
    if (!formatted_ || !SplitPath(path, parts)) return -1;
    if (parts.empty()) return g_.type == FatType::Fat32 ? int64_t(g_.rootCluster) : 0;
    FoundEntry found;
    if (!FindEntry(path, found)) return -1;
    return EntryStartCluster(found.bytes, g_.type == FatType::Fat32);
}

FileCreation DiskImage::CreateSizedFile(const std::string& path, uint64_t size) {
    uint32_t directory;
    char name[11];
    if (size == 0 || size > 0xFFFFFFFFu || !ParentDirectory(path, directory) ||
        !MakeShortName(path.c_str(), name))
        return FileCreation::CreateFailed;
    FoundEntry found;
    DirEntryPosition position;
    if (FindInDirectory(directory, name, found)) {
        if (found.bytes[11] & kAttrDirectory) return FileCreation::CreateFailed;
        FreeChain(EntryStartCluster(found.bytes, g_.type == FatType::Fat32));
        position = found.position;
    } else if (!FindFreeEntry(directory, position)) {
        return FileCreation::CreateFailed;
    }
    uint8_t entry[kDirEntrySize] = {};
    std::memcpy(entry, name, 11);
    entry[11] = kAttrArchive;

    // First fit from the start of the volume: the free clusters counted,
    // then linked in a second walk.
    const uint64_t wanted = (size + g_.bytesPerCluster - 1) / g_.bytesPerCluster;
    uint64_t free = 0;
    for (uint32_t c = 2; c < g_.ClusterLimit() && free < wanted; ++c)
        if (FatEntry(c) == 0) ++free;
    if (free < wanted) {
        // The file exists, empty; the write that would extend it fails.
        return StoreFat() && WriteEntry(position, entry) ? FileCreation::WriteFailed
                                                        : FileCreation::CreateFailed;
    }
    uint32_t first = 0;
    uint32_t last = 0;
    for (uint32_t c = 2, linked = 0; linked < wanted; ++c) {
        if (FatEntry(c) != 0) continue;
        if (linked++ == 0)
            first = c;
        else
            SetFatEntry(last, c);
        last = c;
    }
    SetFatEntry(last, g_.EndOfChainMark());
    WriteLe16(entry + 26, uint16_t(first));
    if (g_.type == FatType::Fat32) WriteLe16(entry + 20, uint16_t(first >> 16));
    WriteLe32(entry + 28, uint32_t(size));
    if (!StoreFat() || !WriteEntry(position, entry)) return FileCreation::CreateFailed;
    const uint64_t lastByte = uint64_t(g_.ClusterToSector(last)) * g_.bytesPerSector +
                              (size - 1) % g_.bytesPerCluster;
    const uint8_t zero = 0;
    return WriteVolume(lastByte, &zero, 1) ? FileCreation::Created : FileCreation::WriteFailed;
}

bool DiskImage::GetFullPath(const std::string& path, std::string& full) {
    std::vector<std::string> parts;
    if (!SplitPath(path, parts)) return false;
    full = path;
    return true;
}

bool DiskImage::FindFiles(const std::string& pattern, std::vector<std::string>& names) {
    FoundEntry found;
    if (!FindEntry(pattern, found) || (found.bytes[11] & kAttrDirectory)) return false;
    names.assign(1, LongFormOf(found.bytes));
    return true;
}

bool DiskImage::OpenFileForScan(const std::string& path) {
    FoundEntry found;
    if (!FindEntry(path, found) || (found.bytes[11] & kAttrDirectory)) return false;
    scanned_ = path;
    return true;
}

bool DiskImage::RemoveFile(const std::string& path) {
    FoundEntry found;
    if (!FindEntry(path, found) || (found.bytes[11] & kAttrDirectory)) return false;
    FreeChain(EntryStartCluster(found.bytes, g_.type == FatType::Fat32));
    found.bytes[0] = kEntryFree;
    return StoreFat() && WriteEntry(found.position, found.bytes);
}

bool DiskImage::SetAttributes(const std::string& path, uint8_t attributes) {
    FoundEntry found;
    if (!FindEntry(path, found)) return false;
    found.bytes[11] = attributes;
    return WriteEntry(found.position, found.bytes);
}
