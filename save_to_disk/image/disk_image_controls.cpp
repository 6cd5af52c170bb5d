// The Windows NT file-system controls of the disk image, answered over its FAT
// as a file system answers them: logical cluster 0 is the first data cluster
// (cluster 2), a move copies the data and rewrites the file's chain.
#include <algorithm>
#include <cstring>

#include "common/core/little_endian.h"
#include "save_to_disk/image/disk_image.h"

namespace {

constexpr uint32_t kFirstDataCluster = 2;
constexpr uint64_t kMoveCopyBytes = 1 << 20;

bool ReadInput(const void* input, uint32_t inputSize, void* value, uint32_t size) {
    if (input == nullptr || inputSize < size) return false;
    std::memcpy(value, input, size);
    return true;
}

}  // namespace

void DiskImage::SetNtfsVolumeData(int64_t mftZoneStart, int64_t mftZoneEnd) {
    ntfs_ = true;
    mftZoneStart_ = mftZoneStart;
    mftZoneEnd_ = mftZoneEnd;
}

bool DiskImage::OpenVolume(char, uint32_t& error) {
    if (!formatted_) {
        error = kImageError;
        return false;
    }
    volumeOpen_ = true;
    return true;
}

// Every write has reached the image file when it returns.
bool DiskImage::FlushVolume() {
    ++flushes_;
    return file_ != nullptr;
}

std::string DiskImage::SystemErrorText(uint32_t error) {
    return "The image answered error " + std::to_string(error) + ".";
}

uint32_t DiskImage::FsControl(FsControlTarget target, uint32_t code, const void* input, uint32_t inputSize,
                              void* output, uint32_t outputSize, uint32_t& returned, bool& waited) {
    returned = 0;
    waited = false;
    if (!volumeOpen_ || (target == FsControlTarget::File && scanned_.empty())) return kStatusInvalidHandle;
    int64_t start;
    switch (code) {
    case kFsctlGetNtfsVolumeData:
        if (target != FsControlTarget::Volume) return kStatusInvalidDeviceRequest;
        return AnswerNtfsVolumeData(output, outputSize, returned);
    case kFsctlGetVolumeBitmap:
        if (target != FsControlTarget::Volume) return kStatusInvalidDeviceRequest;
        if (!ReadInput(input, inputSize, &start, sizeof start)) return kStatusInvalidParameter;
        return AnswerVolumeBitmap(start, output, outputSize, returned);
    case kFsctlGetRetrievalPointers:
        if (target != FsControlTarget::File) return kStatusInvalidDeviceRequest;
        if (!ReadInput(input, inputSize, &start, sizeof start)) return kStatusInvalidParameter;
        return AnswerRetrievalPointers(start, output, outputSize, returned);
    case kFsctlMoveFile: {
        MoveFileRequest request;
        if (target != FsControlTarget::Volume) return kStatusInvalidDeviceRequest;
        if (!ReadInput(input, inputSize, &request, sizeof request)) return kStatusInvalidParameter;
        if (request.fileHandle != kScanHandle || scanned_.empty()) return kStatusInvalidHandle;
        return MoveFileClusters(request);
    }
    default: return kStatusInvalidDeviceRequest;
    }
}

uint32_t DiskImage::AnswerNtfsVolumeData(void* output, uint32_t outputSize, uint32_t& returned) {
    if (!ntfs_) return kStatusInvalidDeviceRequest;
    if (output == nullptr || outputSize < kNtfsVolumeDataBytes) return kStatusBufferTooSmall;
    uint8_t data[kNtfsVolumeDataBytes] = {};
    const uint32_t bytesPerCluster = g_.bytesPerCluster;
    std::memcpy(data + kNtfsBytesPerClusterAt, &bytesPerCluster, sizeof bytesPerCluster);
    std::memcpy(data + kNtfsMftZoneStartAt, &mftZoneStart_, sizeof mftZoneStart_);
    std::memcpy(data + kNtfsMftZoneEndAt, &mftZoneEnd_, sizeof mftZoneEnd_);
    std::memcpy(output, data, sizeof data);
    returned = sizeof data;
    return kStatusSuccess;
}

uint32_t DiskImage::AnswerVolumeBitmap(int64_t start, void* output, uint32_t outputSize, uint32_t& returned) {
    if (output == nullptr || outputSize < sizeof(VolumeBitmapHeader)) return kStatusBufferTooSmall;
    const int64_t total = g_.dataClusters;
    // The bitmap starts on a byte: the cluster asked for, rounded down to a multiple of 8.
    start -= start % 8;
    if (start < 0 || start >= total || !LoadFat()) return kStatusInvalidParameter;
    const uint64_t remaining = uint64_t(total - start);
    const uint64_t room = uint64_t(outputSize - sizeof(VolumeBitmapHeader)) * 8;
    const uint64_t clusters = std::min(remaining, room);
    const VolumeBitmapHeader header{start, int64_t(remaining)};
    uint8_t* bytes = static_cast<uint8_t*>(output);
    std::memcpy(bytes, &header, sizeof header);
    uint8_t* bitmap = bytes + sizeof header;
    std::memset(bitmap, 0, size_t((clusters + 7) / 8));
    for (uint64_t i = 0; i < clusters; ++i)
        if (FatEntry(uint32_t(uint64_t(start) + i + kFirstDataCluster)) != 0) bitmap[i / 8] |= uint8_t(1u << (i % 8));
    returned = uint32_t(sizeof header + (clusters + 7) / 8);
    return clusters < remaining ? kStatusBufferOverflow : kStatusSuccess;
}

bool DiskImage::FileChain(const FoundEntry& file, std::vector<uint32_t>& chain) const {
    chain.clear();
    uint32_t c = EntryStartCluster(file.bytes, g_.type == FatType::Fat32);
    if (c == 0) return true;
    while (chain.size() < g_.dataClusters) {
        if (!g_.IsDataCluster(c)) return false;
        chain.push_back(c);
        const uint32_t next = FatEntry(c);
        if (next >= g_.EndOfChainThreshold()) return true;
        c = next;
    }
    return false;
}

uint32_t DiskImage::AnswerRetrievalPointers(int64_t start, void* output, uint32_t outputSize, uint32_t& returned) {
    if (output == nullptr || outputSize < sizeof(RetrievalPointersHeader)) return kStatusBufferTooSmall;
    FoundEntry file;
    std::vector<uint32_t> chain;
    if (!FindEntry(scanned_, file) || !FileChain(file, chain)) return kStatusInvalidHandle;
    if (start < 0 || uint64_t(start) >= chain.size()) return kStatusInvalidParameter;  // no extents there
    const uint64_t room = std::min<uint64_t>((outputSize - sizeof(RetrievalPointersHeader)) / sizeof(RetrievalExtent),
                                             extentsPerAnswer_);
    uint8_t* bytes = static_cast<uint8_t*>(output);
    uint32_t count = 0;
    size_t at = size_t(start);
    while (at < chain.size() && count < room) {
        size_t end = at + 1;
        while (end < chain.size() && chain[end] == chain[end - 1] + 1) ++end;
        const RetrievalExtent extent{int64_t(end), int64_t(chain[at] - kFirstDataCluster)};
        std::memcpy(bytes + sizeof(RetrievalPointersHeader) + count * sizeof extent, &extent, sizeof extent);
        ++count;
        at = end;
    }
    const RetrievalPointersHeader header{count, 0, start};
    std::memcpy(bytes, &header, sizeof header);
    returned = uint32_t(sizeof header + count * sizeof(RetrievalExtent));
    return at < chain.size() ? kStatusBufferOverflow : kStatusSuccess;
}

uint32_t DiskImage::MoveFileClusters(const MoveFileRequest& request) {
    FoundEntry file;
    std::vector<uint32_t> chain;
    if (!FindEntry(scanned_, file) || !FileChain(file, chain)) return kStatusInvalidHandle;
    const int64_t v = request.startingVcn;
    const int64_t l = request.startingLcn;
    uint64_t n = request.clusterCount;
    if (v < 0 || l < 0 || n == 0 || uint64_t(v) + n > chain.size() || uint64_t(l) + n > g_.dataClusters)
        return kStatusInvalidParameter;
    const uint32_t target = uint32_t(l) + kFirstDataCluster;
    if (moveRaces_ > 0) {
        --moveRaces_;
        // Another writer's new file takes the first target cluster.
        if (FatEntry(target) == 0) {
            SetFatEntry(target, g_.EndOfChainMark());
            if (!StoreFat()) return kStatusUnsuccessful;
        }
    }
    for (uint64_t i = 0; i < n; ++i)
        if (chain[size_t(v + int64_t(i))] != target + i && FatEntry(uint32_t(target + i)) != 0)
            return kStatusAlreadyCommitted;
    if (partialMoves_ > 0 && n > 1) {
        --partialMoves_;
        n /= 2;
    }

    // The data first, a run of consecutive clusters (up to 1 MiB) at a time,
    // then the chain through the new clusters, then the old ones freed.
    const uint64_t step = std::max<uint64_t>(1, kMoveCopyBytes / g_.bytesPerCluster);
    // Room for the longest run a step can hold, no more than the move needs.
    std::vector<uint8_t> data(size_t(std::min<uint64_t>(step, n)) * g_.bytesPerCluster);
    std::vector<uint32_t> moved = chain;
    for (uint64_t i = 0; i < n;) {
        const uint32_t from = chain[size_t(v + int64_t(i))];
        const uint32_t to = uint32_t(target + i);
        uint64_t k = 1;
        while (i + k < n && k < step && chain[size_t(v + int64_t(i + k))] == from + k) ++k;
        for (uint64_t j = 0; j < k; ++j) moved[size_t(v + int64_t(i + j))] = uint32_t(to + j);
        const uint64_t bytes = k * g_.bytesPerCluster;
        if (from != to &&
            (!ReadVolume(uint64_t(g_.ClusterToSector(from)) * g_.bytesPerSector, data.data(), bytes) ||
             !WriteVolume(uint64_t(g_.ClusterToSector(to)) * g_.bytesPerSector, data.data(), bytes)))
            return kStatusUnsuccessful;
        i += k;
    }
    for (size_t i = 0; i < moved.size(); ++i)
        SetFatEntry(moved[i], i + 1 < moved.size() ? moved[i + 1] : g_.EndOfChainMark());
    std::vector<bool> inChain(g_.ClusterLimit());
    for (uint32_t c : moved) inChain[c] = true;
    for (uint64_t i = 0; i < n; ++i) {
        const uint32_t from = chain[size_t(v + int64_t(i))];
        if (!inChain[from]) SetFatEntry(from, 0);
    }
    if (!StoreFat()) return kStatusUnsuccessful;
    if (v == 0) {
        WriteLe16(file.bytes + 26, uint16_t(moved[0]));
        if (g_.type == FatType::Fat32) WriteLe16(file.bytes + 20, uint16_t(moved[0] >> 16));
        if (!WriteEntry(file.position, file.bytes)) return kStatusUnsuccessful;
    }
    return kStatusSuccess;
}
