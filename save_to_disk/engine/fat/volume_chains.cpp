#include "save_to_disk/engine/fat/volume_chains.h"

#include <vector>

#include "save_to_disk/engine/fat/fat_directory.h"

namespace {

class ChainWalker {
public:
    ChainWalker(DiskAccess& disk, unsigned drive, const FatGeometry& g, FatTable& fat)
        : disk_(disk), drive_(drive), g_(g), fat_(fat), seen_(g.ClusterLimit()), sector_(g.bytesPerSector) {}

    VolumeChains Walk() {
        if (g_.type == FatType::Fat32) {
            // The root directory is a chain like any other: a file running into it is damage.
            if (!Follow(g_.rootCluster, true)) return Result();
        } else {
            const uint32_t first = g_.RootDirSector();
            for (uint32_t s = 0; s < g_.RootDirSectors(); ++s) {
                bool ended = false;
                if (!ScanDirectorySector(first + s, ended)) return Result();
                if (ended) break;
            }
        }
        // Directories still to be read, each as the clusters of its chain.
        while (!pending_.empty() && !damaged_) {
            const std::vector<uint32_t> clusters = std::move(pending_.back());
            pending_.pop_back();
            if (!ScanDirectory(clusters)) break;
        }
        return Result();
    }

private:
    VolumeChains Result() const {
        if (unreadable_) return VolumeChains::Unreadable;
        return damaged_ ? VolumeChains::Damaged : VolumeChains::Sound;
    }

    // Follows the chain from `start`, marking its clusters. A chain that runs
    // into a free cluster or into a marked one marks the volume damaged. The
    // clusters of a directory's chain are kept for reading. False ends the walk.
    bool Follow(uint32_t start, bool directory) {
        std::vector<uint32_t> clusters;
        uint32_t c = start;
        for (uint64_t steps = 0; steps <= g_.dataClusters; ++steps) {
            if (!g_.IsDataCluster(c)) break;  // leaves the data area: nothing the engine writes
            if (seen_[c]) {
                damaged_ = true;
                return false;
            }
            seen_[c] = true;
            int64_t next;
            if (!fat_.ReadFatEntry(c, next)) {
                unreadable_ = true;
                return false;
            }
            if (next == 0) {
                damaged_ = true;
                return false;
            }
            if (directory) clusters.push_back(c);
            if (next == FatTable::kEndOfChain) break;
            c = uint32_t(next);
        }
        if (directory && !clusters.empty()) pending_.push_back(std::move(clusters));
        return true;
    }

    bool ScanDirectory(const std::vector<uint32_t>& clusters) {
        for (uint32_t c : clusters) {
            const uint32_t first = g_.ClusterToSector(c);
            for (uint32_t s = 0; s < g_.sectorsPerCluster; ++s) {
                bool ended = false;
                if (!ScanDirectorySector(first + s, ended)) return false;
                if (ended) return true;
            }
        }
        return true;
    }

    bool ScanDirectorySector(uint32_t sector, bool& ended) {
        if (!disk_.ReadSectors(drive_, sector, 1, sector_.data())) {
            unreadable_ = true;
            return false;
        }
        for (uint32_t off = 0; off < g_.bytesPerSector; off += kDirEntrySize) {
            const uint8_t* e = sector_.data() + off;
            if (e[0] == kEntryEnd) {
                ended = true;
                return true;
            }
            if (!IsUsedFileEntry(e) || IsDotEntry(e)) continue;
            const uint32_t start = EntryStartCluster(e, g_.type == FatType::Fat32);
            if (start == 0) continue;
            if (!Follow(start, (e[11] & kAttrDirectory) != 0)) return false;
        }
        return true;
    }

    DiskAccess& disk_;
    unsigned drive_;
    const FatGeometry& g_;
    FatTable& fat_;
    std::vector<bool> seen_;
    std::vector<uint8_t> sector_;
    std::vector<std::vector<uint32_t>> pending_;
    bool damaged_ = false;
    bool unreadable_ = false;
};

}  // namespace

VolumeChains CheckVolumeChains(DiskAccess& disk, unsigned drive, const FatGeometry& geometry, FatTable& fat) {
    ChainWalker walker(disk, drive, geometry, fat);
    return walker.Walk();
}

VolumeChains CheckFatCopies(FatTable& fat, const RunList& fileRuns) {
    std::vector<ClusterRun> guarded(fileRuns.begin(), fileRuns.end());
    bool disagree = false;
    if (!fat.CompareCopies(guarded, disagree)) return VolumeChains::Unreadable;
    return disagree ? VolumeChains::Damaged : VolumeChains::Sound;
}
