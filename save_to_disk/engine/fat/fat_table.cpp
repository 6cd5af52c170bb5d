#include "save_to_disk/engine/fat/fat_table.h"

#include <algorithm>
#include <cstring>

FatTable::FatTable(DiskAccess& disk, unsigned drive, const FatGeometry& geometry)
    : disk_(disk), drive_(drive), g_(geometry) {}

uint32_t FatTable::EntryBytes() const {
    // A FAT12 entry lies in the two bytes it starts in.
    return g_.type == FatType::Fat32 ? 4 : 2;
}

FatTable::SectorRange FatTable::SectorsOf(uint32_t first, uint32_t count) const {
    const uint32_t width = EntryBytes();
    const uint64_t head = FatEntryOffset(g_.type, first);
    const uint64_t tail = FatEntryOffset(g_.type, first + count - 1) + width - 1;
    return {uint32_t(head / g_.bytesPerSector), uint32_t(tail / g_.bytesPerSector)};
}

std::vector<FatTable::SectorRange> FatTable::SectorsOf(std::vector<ClusterRun> runs) const {
    std::sort(runs.begin(), runs.end(), [](const ClusterRun& a, const ClusterRun& b) { return a.start < b.start; });
    std::vector<SectorRange> ranges;
    for (const ClusterRun& run : runs) {
        if (run.length == 0) continue;
        const SectorRange range = SectorsOf(run.start, run.length);
        // Sectors between two ranges join them when one transfer covers the
        // gap: one longer transfer costs less than two.
        if (!ranges.empty() && range.first <= ranges.back().last + kTransferSectors)
            ranges.back().last = std::max(ranges.back().last, range.last);
        else
            ranges.push_back(range);
    }
    return ranges;
}

bool FatTable::InRange(uint32_t first, uint64_t count) const {
    return !fat_.empty() && first >= 2 && first + count <= g_.ClusterLimit();
}

bool FatTable::Load() {
    fat_.clear();
    ++scans_;
    const uint32_t width = EntryBytes();
    const uint64_t bytes = FatEntryOffset(g_.type, g_.ClusterLimit() - 1) + width;
    const uint32_t sectors = uint32_t((bytes + g_.bytesPerSector - 1) / g_.bytesPerSector);
    // The last transfer is read first, before memory for the whole FAT is
    // taken: a boot sector that claims a FAT larger than the disk costs none.
    const uint32_t tail = sectors > kTransferSectors ? sectors - kTransferSectors : 0;
    std::vector<uint8_t> last(size_t(sectors - tail) * g_.bytesPerSector);
    if (!disk_.ReadSectors(drive_, g_.reservedSectors + tail, sectors - tail, last.data())) return false;
    fat_.resize(size_t(sectors) * g_.bytesPerSector);
    std::memcpy(fat_.data() + size_t(tail) * g_.bytesPerSector, last.data(), last.size());
    return tail == 0 || ReadRange({0, tail - 1});
}

bool FatTable::ReadRange(SectorRange range) {
    for (uint32_t s = range.first; s <= range.last;) {
        const uint32_t n = std::min(kTransferSectors, range.last - s + 1);
        if (!disk_.ReadSectors(drive_, g_.reservedSectors + s, n, fat_.data() + size_t(s) * g_.bytesPerSector)) {
            fat_.clear();  // part of memory may hold a torn read
            return false;
        }
        s += n;
    }
    return true;
}

bool FatTable::Reload(std::vector<ClusterRun> runs) {
    for (const ClusterRun& run : runs)
        if (run.length == 0 || !InRange(run.start, run.length)) return false;
    ++scans_;
    for (const SectorRange& range : SectorsOf(std::move(runs)))
        if (!ReadRange(range)) return false;
    return true;
}

bool FatTable::WriteRanges(const std::vector<SectorRange>& ranges) {
    // Transfer by transfer, each to every copy in turn.
    for (const SectorRange& range : ranges) {
        for (uint32_t s = range.first; s <= range.last;) {
            const uint32_t n = std::min(kTransferSectors, range.last - s + 1);
            const uint8_t* data = fat_.data() + size_t(s) * g_.bytesPerSector;
            for (uint32_t copy = 0; copy < g_.fatCount; ++copy) {
                if (!disk_.WriteSectors(drive_, g_.reservedSectors + copy * g_.sectorsPerFat + s, n, data,
                                        kWriteFat)) {
                    fat_.clear();  // memory and disk may now differ
                    return false;
                }
            }
            s += n;
        }
    }
    return true;
}

bool FatTable::WriteFatEntries(uint32_t first, uint32_t count, int64_t link) {
    if (count == 0) return true;
    if (!InRange(first, count) || (link != kEndOfChain && !g_.IsDataCluster(uint64_t(link)))) return false;
    const uint32_t last = link == kEndOfChain ? g_.EndOfChainMark() : uint32_t(link);
    for (uint32_t i = 0; i < count; ++i) {
        const uint32_t n = first + i;
        StoreFatEntry(fat_.data() + FatEntryOffset(g_.type, n), g_.type, n, i + 1 == count ? last : n + 1);
    }
    return WriteRanges({SectorsOf(first, count)});
}

bool FatTable::FreeFatEntries(uint32_t first, uint32_t count) {
    if (count == 0) return true;
    return FreeRuns({{first, count}});
}

bool FatTable::FreeRuns(std::vector<ClusterRun> runs) {
    for (const ClusterRun& run : runs)
        if (!InRange(run.start, run.length)) return false;
    for (const ClusterRun& run : runs)
        for (uint32_t n = run.start; n < run.start + run.length; ++n)
            StoreFatEntry(fat_.data() + FatEntryOffset(g_.type, n), g_.type, n, 0);
    return WriteRanges(SectorsOf(std::move(runs)));
}

bool FatTable::CompareCopies(std::vector<ClusterRun> guarded, bool& disagree) {
    disagree = false;
    if (fat_.empty()) return false;
    if (g_.fatCount < 2) return true;
    std::sort(guarded.begin(), guarded.end(),
              [](const ClusterRun& a, const ClusterRun& b) { return a.start < b.start; });
    const uint32_t width = EntryBytes();
    const uint32_t limit = g_.ClusterLimit();
    const uint32_t sectors = uint32_t(fat_.size() / g_.bytesPerSector);
    std::vector<uint8_t> other(size_t(kTransferSectors) * g_.bytesPerSector);
    for (uint32_t copy = 1; copy < g_.fatCount; ++copy) {
        ++scans_;
        size_t run = 0;
        uint32_t c = 2;
        while (c < limit) {
            // A transfer of the other copy from the sector of entry c; entries
            // that end past it are compared with the next one.
            const uint32_t sector = uint32_t(FatEntryOffset(g_.type, c) / g_.bytesPerSector);
            const uint32_t count = std::min(kTransferSectors, sectors - sector);
            if (!disk_.ReadSectors(drive_, g_.reservedSectors + copy * g_.sectorsPerFat + sector, count,
                                   other.data()))
                return false;
            const uint64_t base = uint64_t(sector) * g_.bytesPerSector;
            const uint64_t end = base + uint64_t(count) * g_.bytesPerSector;
            const bool same = std::memcmp(fat_.data() + base, other.data(), end - base) == 0;
            const uint32_t from = c;
            for (; c < limit; ++c) {
                const uint64_t at = FatEntryOffset(g_.type, c);
                if (at + width > end) break;
                if (same) continue;
                const uint32_t mine = LoadFatEntry(fat_.data() + at, g_.type, c);
                const uint32_t theirs = LoadFatEntry(other.data() + (at - base), g_.type, c);
                if (mine == theirs) continue;
                while (run < guarded.size() && uint64_t(guarded[run].start) + guarded[run].length <= c) ++run;
                const bool inFile = run < guarded.size() && guarded[run].start <= c;
                if (mine == 0 || theirs == 0 || inFile) {
                    disagree = true;
                    return true;
                }
            }
            if (c == from) return false;  // an entry wider than the FAT's end
        }
    }
    return true;
}
