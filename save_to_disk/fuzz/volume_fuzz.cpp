#include "save_to_disk/fuzz/volume_fuzz.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <vector>

#include "save_to_disk/engine/fat/fat_placement_engine.h"
#include "save_to_disk/engine/fsctl/fsctl_placement_engine.h"
#include "save_to_disk/image/disk_image.h"

namespace {

class SilentHost : public PlacementHost {
public:
    void ShowMessage(unsigned) override {}
    void WriteOutput(const std::string&) override {}
    void EndProgram(int) override {}
    void IgnoreInterrupts(bool) override {}
};

uint32_t Le(const std::vector<uint8_t>& b, uint64_t at, int bytes) {
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = v << 8 | (at + i < b.size() ? b[at + i] : 0);
    return v;
}

// The volume as a plain FAT reader sees it: its layout, and every cluster
// owned by a file or by a directory below the root, found by walking the tree.
class PlainVolume {
public:
    explicit PlainVolume(const std::vector<uint8_t>& v) : v_(v) {
        bps_ = Le(v, 11, 2);
        spc_ = v.size() > 13 ? v[13] : 0;
        reserved_ = Le(v, 14, 2);
        fats_ = v.size() > 16 ? v[16] : 0;
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
        valid_ = uint64_t(total_) * bps_ <= v.size();
    }

    bool Valid() const { return valid_; }

    uint32_t Entry(const std::vector<uint8_t>& v, uint32_t copy, uint32_t n) const {
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
            pending.emplace_back(v_.begin() + std::min<uint64_t>(at, v_.size()),
                                 v_.begin() + std::min<uint64_t>(at + uint64_t(rootEntries_) * 32, v_.size()));
        }
        while (!pending.empty()) {
            const std::vector<uint8_t> dir = std::move(pending.back());
            pending.pop_back();
            for (size_t off = 0; off + 32 <= dir.size() && dir[off] != 0; off += 32) {
                const uint8_t* e = &dir[off];
                if (e[0] == 0xE5 || e[0] == '.' || (e[11] & 0x08)) continue;
                const uint32_t start = uint32_t(e[26] | e[27] << 8) | (fat32_ ? uint32_t(e[20] | e[21] << 8) << 16 : 0);
                const std::vector<uint32_t> chain = Chain(start, seen);
                owned.insert(owned.end(), chain.begin(), chain.end());
                if (e[11] & 0x10) {
                    std::vector<uint8_t> sub;
                    for (uint32_t c : chain) Append(sub, c);
                    pending.push_back(std::move(sub));
                }
            }
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
        if (at + ClusterBytes() > v_.size()) return;
        out.insert(out.end(), v_.begin() + at, v_.begin() + at + ClusterBytes());
    }

    const std::vector<uint8_t>& v_;
    uint32_t bps_ = 0, spc_ = 0, reserved_ = 0, fats_ = 0, rootEntries_ = 0, total_ = 0, fatSize_ = 0;
    uint64_t firstData_ = 0;
    uint32_t clusters_ = 0;
    int bits_ = 16;
    bool fat32_ = false;
    bool valid_ = false;
};

// The bytes of every other file before the run, compared with the image after it.
class OtherFiles {
public:
    explicit OtherFiles(const std::vector<uint8_t>& before) : before_(before), volume_(before_) {
        owned_ = volume_.OwnedClusters();
    }
    FuzzFinding CompareWith(const std::vector<uint8_t>& after) const {
        for (uint32_t c : owned_) {
            const uint64_t at = volume_.ClusterOffset(c);
            const uint32_t n = volume_.ClusterBytes();
            if (at + n > before_.size() || at + n > after.size()) continue;
            if (!std::equal(before_.begin() + at, before_.begin() + at + n, after.begin() + at))
                return {"the data of cluster " + std::to_string(c) + " of another file changed"};
            if (volume_.Entry(before_, 0, c) != volume_.Entry(after, 0, c))
                return {"the FAT entry of cluster " + std::to_string(c) + " of another file changed"};
        }
        return {};
    }

private:
    std::vector<uint8_t> before_;
    PlainVolume volume_;
    std::vector<uint32_t> owned_;
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

std::string ScratchPath() { return "/tmp/volume-fuzz-" + std::to_string(getpid()) + ".img"; }

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return bool(out);
}

std::vector<uint8_t> ReadWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    std::vector<uint8_t> bytes(in ? size_t(in.tellg()) : 0);
    in.seekg(0);
    in.read(reinterpret_cast<char*>(bytes.data()), std::streamsize(bytes.size()));
    return bytes;
}

uint64_t VolumeSectors(const std::vector<uint8_t>& volume) {
    const uint32_t bytesPerSector = uint32_t(volume[11] | volume[12] << 8);
    const bool sizeKnown = bytesPerSector == 512 || bytesPerSector == 1024 || bytesPerSector == 2048 ||
                           bytesPerSector == 4096;
    return volume.size() / (sizeKnown ? bytesPerSector : 512);
}

template <typename Engine>
FuzzFinding RunOn(const std::vector<uint8_t>& volume, uint64_t saveBytes, const uint8_t* edits, size_t editBytes) {
    const std::string path = ScratchPath();
    if (!WriteFile(path, volume)) return {};
    const OtherFiles others(volume);
    FuzzFinding finding;
    {
        FuzzImage disk;
        if (disk.Open(path, 0)) {
            disk.volumeSectors = VolumeSectors(volume);
            disk.edits = edits;
            disk.editsEnd = edits + editBytes;
            SilentHost host;
            Engine engine(disk, host);
            engine.MakeContiguous('C', "C:\\SAVE2DSK.BIN", saveBytes);
            if (disk.escaped) finding.what = "a write outside the volume";
            if (disk.controls > kFuzzMaxControls) finding.what = "no end after " + std::to_string(kFuzzMaxControls) + " controls";
        }
    }
    if (!finding) finding = others.CompareWith(ReadWhole(path));
    std::remove(path.c_str());
    return finding;
}

}  // namespace

FuzzFinding RunEngineOnVolumeBytes(const uint8_t* data, size_t size) {
    std::vector<uint8_t> volume(std::clamp(size, kFuzzMinVolumeBytes, kFuzzMaxVolumeBytes), 0);
    std::copy(data, data + std::min(size, volume.size()), volume.begin());
    // A save file of 1 to 64 KiB, chosen by the input.
    const uint64_t saveBytes = 1024 * (1 + (size > 0 ? data[size - 1] % 64 : 0));
    return RunOn<FatPlacementEngine>(volume, saveBytes, nullptr, 0);
}

FuzzFinding RunFsctlEngineOnAnswers(const std::string& volumePath, const uint8_t* data, size_t size) {
    static std::map<std::string, std::vector<uint8_t>> volumes;
    auto found = volumes.find(volumePath);
    if (found == volumes.end()) found = volumes.emplace(volumePath, ReadWhole(volumePath)).first;
    if (found->second.size() < 512) return {"no volume at " + volumePath};
    // The first input byte sizes the save file (1 to 64 clusters' worth of KiB); the rest are edits.
    const uint64_t saveBytes = 1024 * (1 + (size > 0 ? data[0] % 64 : 0)) * 4;
    return RunOn<FsctlPlacementEngine>(found->second, saveBytes, size > 0 ? data + 1 : data, size > 0 ? size - 1 : 0);
}
