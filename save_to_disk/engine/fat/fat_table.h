// The FAT of a volume, held in memory for one pass: copy 0 is read whole, in
// long transfers, and every entry is read from memory after that, so a pass
// reads each FAT sector once however its chains jump. Changes go to memory
// and to the same sectors of every copy. Before a move relies on entries, the
// sectors that hold them are read again from disk.
#pragma once

#include <cstdint>
#include <vector>

#include "save_to_disk/engine/disk_access.h"
#include "save_to_disk/engine/fat/fat_geometry.h"
#include "save_to_disk/engine/run_list.h"

class FatTable {
public:
    // The most sectors one read or write of the FAT transfers.
    static constexpr uint32_t kTransferSectors = 128;
    // What ReadFatEntry returns for an entry that ends a chain.
    static constexpr int64_t kEndOfChain = -1;

    FatTable(DiskAccess& disk, unsigned drive, const FatGeometry& geometry);

    // Reads FAT copy 0 whole into memory; false when it cannot be read (and
    // then every entry access fails until a later Load succeeds).
    bool Load();
    // The entry of cluster n (which must be below the cluster limit), an
    // end-of-chain value as kEndOfChain; false when the FAT is not loaded.
    // Inline, as the walks of the FAT call it once per entry.
    bool ReadFatEntry(uint32_t n, int64_t& entry) const {
        if (fat_.empty() || n >= g_.ClusterLimit()) return false;
        const uint32_t value = LoadFatEntry(fat_.data() + FatEntryOffset(g_.type, n), g_.type, n);
        entry = value >= g_.EndOfChainThreshold() ? kEndOfChain : int64_t(value);
        return true;
    }
    // Entry first + i gets first + i + 1, the last one gets `link`
    // (kEndOfChain for the end of the chain).
    bool WriteFatEntries(uint32_t first, uint32_t count, int64_t link);
    bool FreeFatEntries(uint32_t first, uint32_t count);
    // Frees every cluster of `runs`, writing each changed sector once to every copy.
    bool FreeRuns(std::vector<ClusterRun> runs);

    // Compares every further FAT copy with the loaded one, reading each copy
    // once: `disagree` when an entry differs that either copy calls free or
    // that lies in one of `guarded`. False when a copy cannot be read.
    bool CompareCopies(std::vector<ClusterRun> guarded, bool& disagree);

    // Reads again from disk the FAT sectors that hold the entries of `runs`,
    // so that the next reads of those entries (and of their neighbours in the
    // same sectors, which the next writes carry) see the disk as it is now.
    bool Reload(std::vector<ClusterRun> runs);
    // Reads that cover part or all of one FAT, each sector at most once:
    // every Load, every further copy compared, every Reload.
    uint64_t Scans() const { return scans_; }

private:
    // FAT sectors, counted from the first sector of copy 0.
    struct SectorRange {
        uint32_t first;
        uint32_t last;
    };
    // The bytes an entry's value is read from.
    uint32_t EntryBytes() const;
    SectorRange SectorsOf(uint32_t first, uint32_t count) const;
    // The ranges of `runs` in rising order, merged where they meet or lie
    // close; a write of merged ranges covers no sector that a Reload of the
    // same runs (or of more) did not read.
    std::vector<SectorRange> SectorsOf(std::vector<ClusterRun> runs) const;
    bool ReadRange(SectorRange range);
    bool WriteRanges(const std::vector<SectorRange>& ranges);
    bool InRange(uint32_t first, uint64_t count) const;

    DiskAccess& disk_;
    unsigned drive_;
    FatGeometry g_;
    std::vector<uint8_t> fat_;  // copy 0, or empty when not loaded
    uint64_t scans_ = 0;
};
