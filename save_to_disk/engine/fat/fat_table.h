// Entry access to the FAT of a volume through one window of 128 FAT sectors,
// so that neighbouring entries cost no further reads. Writes go to every FAT copy.
#pragma once

#include <cstdint>
#include <vector>

#include "save_to_disk/engine/disk_access.h"
#include "save_to_disk/engine/fat/fat_geometry.h"
#include "save_to_disk/engine/run_list.h"

class FatTable {
public:
    static constexpr uint32_t kWindowSectors = 128;
    // What ReadFatEntry returns for an entry that ends a chain.
    static constexpr int64_t kEndOfChain = -1;

    FatTable(DiskAccess& disk, unsigned drive, const FatGeometry& geometry);

    // The entry of cluster n (which must be below the cluster limit), an
    // end-of-chain value as kEndOfChain; false when the FAT cannot be read.
    bool ReadFatEntry(uint32_t n, int64_t& entry);
    // Entry first + i gets first + i + 1, the last one gets `link`
    // (kEndOfChain for the end of the chain).
    bool WriteFatEntries(uint32_t first, uint32_t count, int64_t link);
    bool FreeFatEntries(uint32_t first, uint32_t count);

    // Compares every further FAT copy with the first, sector by sector:
    // `disagree` when an entry differs that either copy calls free or that
    // lies in one of `guarded`. False when a copy cannot be read.
    bool CompareCopies(std::vector<ClusterRun> guarded, bool& disagree);

    // Forgets the window, so that the next access reads the FAT again.
    void Invalidate() { windowValid_ = false; }
    uint64_t SectorsRead() const { return sectorsRead_; }

private:
    struct EntrySpan {
        uint32_t firstSector;  // absolute sector of the entry's first byte
        uint32_t lastSector;   // absolute sector of its last byte
        uint64_t position;     // absolute byte position
    };
    EntrySpan SpanOf(uint32_t n) const;
    bool WindowHolds(const EntrySpan& span) const;
    bool LoadWindow(uint32_t firstSector, uint32_t sectors);
    uint8_t* WindowBytes(uint64_t position);
    // Sets `count` entries from `first` on: each to `next(i)`.
    template <typename NextValue>
    bool WriteEntries(uint32_t first, uint32_t count, NextValue next);

    DiskAccess& disk_;
    unsigned drive_;
    FatGeometry g_;
    uint32_t fatEnd_;  // first sector after FAT copy 0
    std::vector<uint8_t> window_;
    uint32_t windowStart_ = 0;
    uint32_t windowCount_ = 0;
    bool windowValid_ = false;
    uint64_t sectorsRead_ = 0;
};
