#include "save_to_disk/fuzz/volume_fuzz.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <vector>

#include "save_to_disk/core/partition_probe.h"
#include "save_to_disk/core/partition_table.h"
#include "save_to_disk/engine/fat/fat_placement_engine.h"
#include "save_to_disk/engine/fat/fat_root_file.h"
#include "save_to_disk/engine/fsctl/fsctl_placement_engine.h"
#include "save_to_disk/image/disk_image.h"
#include "save_to_disk/image/image_partitions.h"

namespace {

class SilentHost : public PlacementHost {
public:
    void ShowMessage(unsigned) override {}
    void WriteOutput(const std::string&) override {}
    void EndProgram(int) override {}
    void IgnoreInterrupts(bool) override {}
};

// A volume's bytes: those stored, then zeros up to its size (the input is
// padded to the volume its boot sector describes without being copied).
struct ByteView {
    const uint8_t* bytes = nullptr;
    size_t stored = 0;
    uint64_t size = 0;
    uint8_t At(uint64_t i) const { return i < stored ? bytes[i] : 0; }
    // Bytes [at, at + n) appended to `out`.
    void CopyTo(uint64_t at, uint64_t n, std::vector<uint8_t>& out) const {
        const uint64_t from = std::min<uint64_t>(at, stored), to = std::min<uint64_t>(at + n, stored);
        out.insert(out.end(), bytes + from, bytes + to);
        out.resize(out.size() + size_t(n - (to - from)), 0);
    }
};

uint32_t Le(const ByteView& b, uint64_t at, int bytes) {
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = v << 8 | b.At(at + i);
    return v;
}

// The save file's name as its root directory entry holds it.
constexpr char kSaveFileEntry[11] = {'S', 'A', 'V', 'E', '2', 'D', 'S', 'K', 'B', 'I', 'N'};

// The volume as a plain FAT reader sees it: its layout, and every cluster
// owned by a file or by a directory below the root, found by walking the tree.
class PlainVolume {
public:
    explicit PlainVolume(const ByteView& v) : v_(v) {
        bps_ = Le(v, 11, 2);
        spc_ = v.At(13);
        reserved_ = Le(v, 14, 2);
        fats_ = v.At(16);
        rootEntries_ = Le(v, 17, 2);
        total_ = Le(v, 19, 2) ? Le(v, 19, 2) : Le(v, 32, 4);
        fatSize_ = Le(v, 22, 2) ? Le(v, 22, 2) : Le(v, 36, 4);
        fat32_ = Le(v, 22, 2) == 0;
        if (bps_ == 0 || spc_ == 0 || fats_ == 0 || fatSize_ == 0) return;
        const uint64_t rootSectors = (uint64_t(rootEntries_) * 32 + bps_ - 1) / bps_;
        firstData_ = reserved_ + uint64_t(fats_) * fatSize_ + rootSectors;
        if (total_ <= firstData_) return;
        clusters_ = uint32_t((total_ - firstData_) / spc_);
        bits_ = fat32_ ? 32 : clusters_ < 4085 ? 12 : 16;
        valid_ = uint64_t(total_) * bps_ <= v.size;
    }

    bool Valid() const { return valid_; }

    uint32_t Entry(const ByteView& v, uint32_t copy, uint32_t n) const {
        const uint64_t fat = (uint64_t(reserved_) + uint64_t(copy) * fatSize_) * bps_;
        if (bits_ == 12) {
            const uint32_t w = Le(v, fat + n * 3 / 2, 2);
            return n % 2 ? w >> 4 : w & 0xFFF;
        }
        if (bits_ == 16) return Le(v, fat + uint64_t(n) * 2, 2);
        return Le(v, fat + uint64_t(n) * 4, 4) & 0x0FFFFFFF;
    }

    uint64_t ClusterOffset(uint32_t c) const { return (firstData_ + uint64_t(c - 2) * spc_) * bps_; }
    uint32_t ClusterBytes() const { return bps_ * spc_; }

    // Clusters of every chain reachable from the tree, each once; the root
    // directory's own clusters are left out (new entries are written there).
    std::vector<uint32_t> OwnedClusters() const {
        std::vector<uint32_t> owned;
        if (!valid_) return owned;
        std::vector<bool> seen(size_t(clusters_) + 2);
        std::vector<std::vector<uint8_t>> pending;
        if (fat32_) {
            std::vector<bool> rootSeen(seen.size());
            std::vector<uint8_t> root;
            for (uint32_t c : Chain(Le(v_, 44, 4), rootSeen)) Append(root, c);
            pending.push_back(root);
        } else {
            const uint64_t at = (reserved_ + uint64_t(fats_) * fatSize_) * bps_;
            std::vector<uint8_t> root;
            if (at < v_.size) v_.CopyTo(at, std::min<uint64_t>(uint64_t(rootEntries_) * 32, v_.size - at), root);
            pending.push_back(std::move(root));
        }
        // The save file already in the root is the engine's to replace, not
        // another file; a cluster it shares with another file stays that file's.
        bool root = true;
        while (!pending.empty()) {
            const std::vector<uint8_t> dir = std::move(pending.back());
            pending.pop_back();
            for (size_t off = 0; off + 32 <= dir.size() && dir[off] != 0; off += 32) {
                const uint8_t* e = &dir[off];
                if (e[0] == 0xE5 || e[0] == '.' || (e[11] & 0x08)) continue;
                if (root && std::memcmp(e, kSaveFileEntry, sizeof kSaveFileEntry) == 0) continue;
                const uint32_t start = uint32_t(e[26] | e[27] << 8) | (fat32_ ? uint32_t(e[20] | e[21] << 8) << 16 : 0);
                const std::vector<uint32_t> chain = Chain(start, seen);
                owned.insert(owned.end(), chain.begin(), chain.end());
                if (e[11] & 0x10) {
                    std::vector<uint8_t> sub;
                    for (uint32_t c : chain) Append(sub, c);
                    pending.push_back(std::move(sub));
                }
            }
            root = false;
        }
        return owned;
    }

private:
    std::vector<uint32_t> Chain(uint32_t c, std::vector<bool>& seen) const {
        std::vector<uint32_t> chain;
        const uint32_t end = bits_ == 12 ? 0xFF8 : bits_ == 16 ? 0xFFF8 : 0x0FFFFFF8;
        while (c >= 2 && c < clusters_ + 2 && !seen[c]) {
            seen[c] = true;
            chain.push_back(c);
            c = Entry(v_, 0, c);
            if (c >= end) break;
        }
        return chain;
    }
    void Append(std::vector<uint8_t>& out, uint32_t c) const {
        const uint64_t at = ClusterOffset(c);
        if (at + ClusterBytes() > v_.size) return;
        v_.CopyTo(at, ClusterBytes(), out);
    }

    ByteView v_;
    uint32_t bps_ = 0, spc_ = 0, reserved_ = 0, fats_ = 0, rootEntries_ = 0, total_ = 0, fatSize_ = 0;
    uint64_t firstData_ = 0;
    uint32_t clusters_ = 0;
    int bits_ = 16;
    bool fat32_ = false;
    bool valid_ = false;
};

// The bytes and FAT entries of every other file before the run, compared with
// the image after it.
class OtherFiles {
public:
    explicit OtherFiles(const ByteView& before) : volume_(before) {
        for (uint32_t c : volume_.OwnedClusters()) {
            const uint64_t at = volume_.ClusterOffset(c);
            Owned owned{c, volume_.Entry(before, 0, c), {}};
            before.CopyTo(at, volume_.ClusterBytes(), owned.data);
            owned_.push_back(std::move(owned));
        }
    }
    FuzzFinding CompareWith(const ByteView& after) const {
        for (const Owned& o : owned_) {
            const uint64_t at = volume_.ClusterOffset(o.cluster);
            if (at + o.data.size() > after.size) continue;
            std::vector<uint8_t> now;
            after.CopyTo(at, o.data.size(), now);
            if (now != o.data) return {"the data of cluster " + std::to_string(o.cluster) + " of another file changed"};
            if (volume_.Entry(after, 0, o.cluster) != o.fatEntry)
                return {"the FAT entry of cluster " + std::to_string(o.cluster) + " of another file changed"};
        }
        return {};
    }

private:
    struct Owned {
        uint32_t cluster;
        uint32_t fatEntry;
        std::vector<uint8_t> data;
    };
    PlainVolume volume_;
    std::vector<Owned> owned_;
};

// The image binding, recording a write asked for outside the volume and
// bending the answers of the file-system controls as the input says.
class FuzzImage : public DiskImage {
public:
    bool WriteSectors(unsigned drive, uint32_t start, uint32_t count, const void* buffer, WriteKind kind) override {
        if (uint64_t(start) + count > volumeSectors) escaped = true;
        return DiskImage::WriteSectors(drive, start, count, buffer, kind);
    }
    uint32_t FsControl(FsControlTarget target, uint32_t code, const void* input, uint32_t inputSize, void* output,
                       uint32_t outputSize, uint32_t& returned, bool& waited) override {
        if (++controls > kFuzzMaxControls) return kStatusInvalidDeviceRequest;
        uint32_t status = DiskImage::FsControl(target, code, input, inputSize, output, outputSize, returned, waited);
        const size_t editCount = size_t(editsEnd - edits) / 12;
        if (editCount == 0 || output == nullptr || outputSize == 0) return status;
        // The edits are applied in turn, and again from the first when they
        // run out: a file system that keeps answering the same wrong way.
        const uint8_t* e = edits + (controls - 1) % editCount * 12;
        uint64_t value;
        std::memcpy(&value, e + 4, sizeof value);
        uint8_t* answer = static_cast<uint8_t*>(output);
        if (e[0] & 1) {  // a field of the answer overwritten
            const uint32_t at = uint32_t(e[1] | e[2] << 8) % outputSize;
            std::memcpy(answer + at, &value, std::min<size_t>(8, outputSize - at));
        }
        if ((e[0] & 2) && outputSize >= 16)  // a field of the answer's header overwritten
            std::memcpy(answer + (e[1] % 2) * 8, &value, 8);
        if (e[0] & 4) {  // the status changed
            static const uint32_t kStatuses[] = {kStatusSuccess, kStatusBufferOverflow, kStatusUnsuccessful,
                                                 kStatusAlreadyCommitted, kStatusInvalidParameter};
            status = kStatuses[e[3] % 5];
        }
        if (e[0] & 8) returned = uint32_t(value % (uint64_t(outputSize) + 1));  // the answer's size changed
        return status;
    }
    uint64_t volumeSectors = 0;
    bool escaped = false;
    unsigned controls = 0;
    const uint8_t* edits = nullptr;
    const uint8_t* editsEnd = nullptr;
};

// Scratch images live in memory where the machine has a tmpfs.
std::string ScratchPath() {
    const char* dir = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    return std::string(dir) + "/volume-fuzz-" + std::to_string(getpid()) + ".img";
}

// The bytes, then zeros up to `size` as a hole of the file: a volume's empty
// data area costs nothing to write.
bool WriteImage(const std::string& path, const uint8_t* bytes, size_t count, uint64_t size) {
    const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_TRUNC, 0600);
    if (fd < 0) return false;
    bool written = ftruncate(fd, off_t(size)) == 0;
    for (size_t at = 0; written && at < count;) {
        const ssize_t n = pwrite(fd, bytes + at, count - at, off_t(at));
        written = n > 0;
        at += written ? size_t(n) : 0;
    }
    return close(fd) == 0 && written;
}

// The image's bytes into `bytes`, whose room is kept from one run to the next.
bool ReadInto(const std::string& path, std::vector<uint8_t>& bytes) {
    const int fd = open(path.c_str(), O_RDONLY);
    if (fd < 0) return false;
    struct stat st;
    bool read = fstat(fd, &st) == 0;
    bytes.resize(read ? size_t(st.st_size) : 0);
    for (size_t at = 0; read && at < bytes.size();) {
        const ssize_t n = pread(fd, bytes.data() + at, bytes.size() - at, off_t(at));
        read = n > 0;
        at += read ? size_t(n) : 0;
    }
    return close(fd) == 0 && read;
}

ByteView ViewOf(const std::vector<uint8_t>& bytes) { return {bytes.data(), bytes.size(), bytes.size()}; }

uint32_t SectorBytes(const ByteView& volume) {
    const uint32_t bytesPerSector = Le(volume, 11, 2);
    return IsFatSectorSize(bytesPerSector) ? bytesPerSector : 512;
}

// The input as a volume: the size its boot sector gives, within the bounds,
// and never less than the input.
ByteView VolumeOfInput(const uint8_t* data, size_t size) {
    const ByteView input{data, size, size};
    const uint32_t total = Le(input, 19, 2) ? Le(input, 19, 2) : Le(input, 32, 4);
    const uint64_t declared = uint64_t(total) * SectorBytes(input);
    const uint64_t bytes = std::clamp<uint64_t>(declared, kFuzzMinVolumeBytes, kFuzzMaxVolumeBytes);
    return {data, std::min<size_t>(size, bytes), bytes};
}

template <typename Engine>
FuzzFinding RunOn(const ByteView& volume, uint64_t saveBytes, const uint8_t* edits, size_t editBytes) {
    const std::string path = ScratchPath();
    if (!WriteImage(path, volume.bytes, volume.stored, volume.size)) return {};
    const OtherFiles others(volume);
    FuzzFinding finding;
    {
        FuzzImage disk;
        if (disk.Open(path, 0)) {
            disk.volumeSectors = volume.size / SectorBytes(volume);
            disk.edits = edits;
            disk.editsEnd = edits + editBytes;
            SilentHost host;
            Engine engine(disk, host);
            engine.MakeContiguous('C', "C:\\SAVE2DSK.BIN", saveBytes);
            if (disk.escaped) finding.what = "a write outside the volume";
            if (disk.controls > kFuzzMaxControls) finding.what = "no end after " + std::to_string(kFuzzMaxControls) + " controls";
        }
    }
    static std::vector<uint8_t> after;
    if (!finding && ReadInto(path, after)) finding = others.CompareWith(ViewOf(after));
    std::remove(path.c_str());
    return finding;
}

// A byte range [start, end) of an image.
struct Range {
    uint64_t start, end;
};

// A finding when `after` differs from `before` anywhere outside the ranges.
FuzzFinding ChangedOutside(const ByteView& before, const ByteView& after, std::vector<Range> allowed) {
    if (after.size != before.size) return {"the image changed its size"};
    std::sort(allowed.begin(), allowed.end(), [](const Range& a, const Range& b) { return a.start < b.start; });
    allowed.push_back({before.size, before.size});
    uint64_t at = 0;
    for (const Range& r : allowed) {
        // [at, r.start) must be as before: the stored bytes, then zeros.
        for (uint64_t i = at; i < r.start;) {
            const uint64_t run = i < before.stored ? std::min<uint64_t>(r.start, before.stored) - i : r.start - i;
            const bool same = i < before.stored ? std::memcmp(after.bytes + i, before.bytes + i, size_t(run)) == 0
                                                : std::all_of(after.bytes + i, after.bytes + i + run, [](uint8_t b) { return b == 0; });
            if (!same) return {"a byte in [" + std::to_string(i) + ", " + std::to_string(i + run) + ") changed"};
            i += run;
        }
        at = std::max(at, r.end);
    }
    return {};
}

// What the root-file writer puts in sector `s` of the file.
void FillSector(uint64_t s, uint8_t (&sector)[512]) {
    for (size_t i = 0; i < sizeof sector; ++i) sector[i] = uint8_t(s * 7 + i / 64 + 1);
}

// Finds SAVE2DSK.BIN in the mounted root and writes every sector of it and two
// past its end, as the save file's stamping does. The entry's chain must be a
// list of distinct data clusters long enough for its size, each write inside
// the chain must be taken and the two past it refused; the image must then
// hold the written sectors where the chain lies, and nothing else changed.
FuzzFinding WriteRootFile(DiskImage& disk, const std::string& path, const ByteView& before) {
    FatRootVolume root;
    if (!root.Mount(disk, 3)) return {};
    root.FreeClusters();
    FatRootFileEntry entry;
    if (!root.Find(kSaveFileEntry, entry)) return {};
    const uint64_t clusterBytes = root.BytesPerCluster();
    std::vector<bool> seen(size_t(root.DataClusters()) + 2);
    for (uint32_t c : entry.clusters) {
        if (c < 2 || c >= seen.size() || seen[c]) return {"the file's chain holds cluster " + std::to_string(c) + " twice or outside the data"};
        seen[c] = true;
    }
    if (entry.clusters.size() * clusterBytes < entry.size) return {"the file's chain is shorter than its size"};

    const uint64_t sectors = entry.clusters.size() * clusterBytes / 512;
    if (!disk.LockVolume(3, 1, 1) || !disk.LockVolume(3, 2, 0)) return {};
    uint8_t sector[512];
    for (uint64_t s = 0; s < sectors + 2; ++s) {
        FillSector(s, sector);
        if (root.WriteFileSector(entry, s, sector) != (s < sectors))
            return {"the write of file sector " + std::to_string(s) + " of " + std::to_string(sectors) + " was " +
                    (s < sectors ? "refused" : "taken")};
    }
    disk.UnlockVolume(3);
    disk.UnlockVolume(3);

    // The image after: the file's sectors as written where the chain lies,
    // every other byte as before.
    const PlainVolume plain(before);
    static std::vector<uint8_t> after;
    if (!ReadInto(path, after)) return {"the volume cannot be read back"};
    std::vector<Range> written;
    for (uint64_t s = 0; s < sectors; ++s) {
        FillSector(s, sector);
        const uint64_t at = plain.ClusterOffset(entry.clusters[size_t(s * 512 / clusterBytes)]) + s * 512 % clusterBytes;
        if (at + 512 > after.size() || std::memcmp(after.data() + at, sector, 512) != 0)
            return {"file sector " + std::to_string(s) + " is not where its cluster lies"};
        written.push_back({at, at + 512});
    }
    return ChangedOutside(before, ViewOf(after), written);
}

// The partition's byte range as its MBR entry gives it.
void PartitionRange(const uint8_t (&mbr)[kMbrBytes], unsigned partition, uint64_t& start, uint64_t& end) {
    const PartitionEntry entry = ReadPartitionEntry(mbr, partition - 1);
    start = uint64_t(entry.firstSector) * kMbrBytes;
    end = start + uint64_t(entry.sectors) * kMbrBytes;
}

}  // namespace

FuzzFinding RunEngineOnVolumeBytes(const uint8_t* data, size_t size) {
    // A save file of 1 to 64 KiB, chosen by the input.
    const uint64_t saveBytes = 1024 * (1 + (size > 0 ? data[size - 1] % 64 : 0));
    return RunOn<FatPlacementEngine>(VolumeOfInput(data, size), saveBytes, nullptr, 0);
}

FuzzFinding RunFsctlEngineOnAnswers(const std::vector<std::string>& volumePaths, const uint8_t* data, size_t size) {
    // Each volume read once, with the length up to its last non-zero byte:
    // only that much is written for a run, the rest left a hole.
    struct Volume {
        std::vector<uint8_t> bytes;
        size_t stored;
    };
    static std::map<std::string, Volume> volumes;
    if (volumePaths.empty()) return {"no volume to run on"};
    // The first input byte chooses the volume and sizes the save file (1 to
    // 64 clusters' worth of KiB); the rest are edits.
    const uint8_t first = size > 0 ? data[0] : 0;
    const std::string& volumePath = volumePaths[first / 64 % volumePaths.size()];
    auto found = volumes.find(volumePath);
    if (found == volumes.end()) {
        Volume volume{{}, 0};
        ReadInto(volumePath, volume.bytes);
        volume.stored = volume.bytes.size();
        while (volume.stored > 0 && volume.bytes[volume.stored - 1] == 0) --volume.stored;
        found = volumes.emplace(volumePath, std::move(volume)).first;
    }
    const Volume& volume = found->second;
    if (volume.bytes.size() < 512) return {"no volume at " + volumePath};
    const uint64_t saveBytes = 1024 * (1 + first % 64) * 4;
    return RunOn<FsctlPlacementEngine>(ByteView{volume.bytes.data(), volume.stored, volume.bytes.size()}, saveBytes,
                                       size > 0 ? data + 1 : data, size > 0 ? size - 1 : 0);
}

FuzzFinding RunRootFileOnVolumeBytes(const uint8_t* data, size_t size) {
    const ByteView volume = VolumeOfInput(data, size);
    const std::string path = ScratchPath();
    if (!WriteImage(path, volume.bytes, volume.stored, volume.size)) return {};
    FuzzFinding finding;
    {
        DiskImage disk;
        if (disk.Open(path, 0)) finding = WriteRootFile(disk, path, volume);
    }
    std::remove(path.c_str());
    return finding;
}

FuzzFinding RunImageBindingOnDiskBytes(const uint8_t* data, size_t size) {
    uint8_t mbr[kMbrBytes] = {};
    std::memcpy(mbr, data, std::min(size, sizeof mbr));
    // The disk reaches the end of its farthest partition, within the bounds.
    uint64_t diskBytes = size;
    for (unsigned partition = 1; partition <= 4; ++partition) {
        uint64_t start, end;
        PartitionRange(mbr, partition, start, end);
        if (end <= kFuzzMaxDiskBytes) diskBytes = std::max(diskBytes, end);
    }
    const std::string path = ScratchPath();
    if (!WriteImage(path, data, size, diskBytes)) return {};
    FuzzFinding finding;
    EvaluatePartitionProbe(ImageDiskGeometry(diskBytes), mbr);
    const std::vector<unsigned> partitions = FatPartitionsOf(mbr);
    static std::vector<uint8_t> before, after;
    for (size_t drive = 0; drive < partitions.size() && !finding; ++drive) {
        if (!ReadInto(path, before)) break;
        DiskImage disk;
        if (!disk.Open(path, partitions[drive])) continue;
        uint64_t start, end;
        PartitionRange(mbr, partitions[drive], start, end);
        if (end > before.size()) return {"a partition past the end of the disk was opened"};
        // What the binding does on the drive: the save file's attributes, its
        // search in the root, a write to its first and last sectors.
        const std::string file = std::string(1, char('C' + drive)) + ":\\SAVE2DSK.BIN";
        disk.SetAttributes(file, 0x00);
        disk.SetAttributes(file, 0x07);
        FatRootVolume root;
        FatRootFileEntry entry;
        if (root.Mount(disk, 3) && root.Find(kSaveFileEntry, entry) && disk.LockVolume(3, 1, 1) &&
            disk.LockVolume(3, 2, 0)) {
            uint8_t sector[512];
            FillSector(0, sector);
            root.WriteFileSector(entry, 0, sector);
            root.WriteFileSector(entry, entry.size / 512, sector);
        }
        if (!ReadInto(path, after)) break;
        finding = ChangedOutside(ViewOf(before), ViewOf(after), {{start, end}});
        if (finding) finding.what += " outside partition " + std::to_string(partitions[drive]);
    }
    std::remove(path.c_str());
    return finding;
}
