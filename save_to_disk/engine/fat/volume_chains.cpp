#include "save_to_disk/engine/fat/volume_chains.h"

#include <vector>

namespace {

constexpr unsigned kMaxDirectoryDepth = 32;

class ChainWalker {
public:
    ChainWalker(DiskAccess& disk, unsigned drive, const FatGeometry& g, FatTable& fat,
                DirEntryPosition fileEntry)
        : disk_(disk), drive_(drive), g_(g), fat_(fat), fileEntry_(fileEntry),
          fileCluster_(g.ClusterLimit()), seen_(g.ClusterLimit()),
          sector_(g.bytesPerSector) {}

    void MarkFileRuns(const RunList& runs) {
        for (const ClusterRun& r : runs)
            for (uint32_t i = 0; i < r.length; ++i) fileCluster_[r.start + i] = true;
    }

    VolumeChains Walk() {
        if (g_.type == FatType::Fat32) {
            if (!WalkDirectoryChain(g_.rootCluster, 0)) return Result();
        } else {
            const uint32_t first = g_.RootDirSector();
            for (uint32_t s = 0; s < g_.RootDirSectors() && !ended_; ++s)
                if (!ScanDirectorySector(first + s, 0)) return VolumeChains::Unreadable;
        }
        return Result();
    }

private:
    VolumeChains Result() const {
        if (unreadable_) return VolumeChains::Unreadable;
        return damaged_ ? VolumeChains::Damaged : VolumeChains::Sound;
    }

    // Follows a chain from `start`, marking its clusters; a chain that runs
    // into a free cluster or into the file's own clusters marks the volume damaged.
    // Returns the clusters of a directory chain through `clusters` when asked.
    bool FollowChain(uint32_t start, std::vector<uint32_t>* clusters) {
        uint32_t c = start;
        for (uint64_t steps = 0; steps < g_.dataClusters; ++steps) {
            if (!g_.IsDataCluster(c)) return true;  // leaves the data area: nothing of ours there
            if (fileCluster_[c]) {
                damaged_ = true;
                return true;
            }
            if (seen_[c]) return true;  // shared with another chain or looping: left alone
            seen_[c] = true;
            int64_t next;
            if (!fat_.ReadFatEntry(c, next)) {
                unreadable_ = true;
                return false;
            }
            if (next == 0) {
                damaged_ = true;
                return true;
            }
            if (clusters) clusters->push_back(c);
            if (next == FatTable::kEndOfChain) return true;
            c = uint32_t(next);
        }
        return true;
    }

    bool WalkDirectoryChain(uint32_t start, unsigned depth) {
        std::vector<uint32_t> clusters;
        if (!FollowChain(start, &clusters)) return false;
        ended_ = false;
        for (uint32_t c : clusters) {
            const uint32_t first = g_.ClusterToSector(c);
            for (uint32_t s = 0; s < g_.sectorsPerCluster && !ended_; ++s)
                if (!ScanDirectorySector(first + s, depth)) return false;
            if (ended_) break;
        }
        ended_ = false;
        return true;
    }

    bool ScanDirectorySector(uint32_t sector, unsigned depth) {
        if (!disk_.ReadSectors(drive_, sector, 1, sector_.data())) {
            unreadable_ = true;
            return false;
        }
        // Entries of subdirectories are collected first: the sector buffer is reused below.
        std::vector<uint32_t> subdirectories;
        for (uint32_t off = 0; off < g_.bytesPerSector; off += kDirEntrySize) {
            const uint8_t* e = sector_.data() + off;
            if (e[0] == kEntryEnd) {
                ended_ = true;
                break;
            }
            if (!IsUsedFileEntry(e) || IsDotEntry(e)) continue;
            if (sector == fileEntry_.sector && off == fileEntry_.offset) continue;
            const uint32_t start = EntryStartCluster(e, g_.type == FatType::Fat32);
            if (start == 0) continue;
            if (e[11] & kAttrDirectory) {
                subdirectories.push_back(start);
            } else if (!FollowChain(start, nullptr)) {
                return false;
            }
        }
        const bool ended = ended_;
        for (uint32_t start : subdirectories) {
            if (depth + 1 >= kMaxDirectoryDepth || (g_.IsDataCluster(start) && seen_[start])) continue;
            if (!WalkDirectoryChain(start, depth + 1)) return false;
        }
        ended_ = ended;
        return true;
    }

    DiskAccess& disk_;
    unsigned drive_;
    const FatGeometry& g_;
    FatTable& fat_;
    DirEntryPosition fileEntry_;
    std::vector<bool> fileCluster_;
    std::vector<bool> seen_;
    std::vector<uint8_t> sector_;
    bool damaged_ = false;
    bool unreadable_ = false;
    bool ended_ = false;  // the directory being read has reached its end marker
};

}  // namespace

VolumeChains CheckVolumeChains(DiskAccess& disk, unsigned drive, const FatGeometry& geometry,
                               FatTable& fat, const RunList& fileRuns, DirEntryPosition fileEntry) {
    ChainWalker walker(disk, drive, geometry, fat, fileEntry);
    walker.MarkFileRuns(fileRuns);
    return walker.Walk();
}
