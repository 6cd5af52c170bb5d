#include "save_to_disk/engine/fat/fat_table.h"

#include <algorithm>


FatTable::FatTable(DiskAccess& disk, unsigned drive, const FatGeometry& geometry)
    : disk_(disk), drive_(drive), g_(geometry),
      fatEnd_(geometry.reservedSectors + geometry.sectorsPerFat),
      window_(size_t(kWindowSectors) * geometry.bytesPerSector) {}

FatTable::EntrySpan FatTable::SpanOf(uint32_t n) const {
    const uint32_t width = g_.type == FatType::Fat32 ? 4 : 2;
    const uint64_t position = uint64_t(g_.reservedSectors) * g_.bytesPerSector + FatEntryOffset(g_.type, n);
    return {uint32_t(position / g_.bytesPerSector),
            uint32_t((position + width - 1) / g_.bytesPerSector), position};
}

bool FatTable::WindowHolds(const EntrySpan& span) const {
    return windowValid_ && span.firstSector >= windowStart_ &&
           span.lastSector < windowStart_ + windowCount_;
}

bool FatTable::LoadWindow(uint32_t firstSector, uint32_t sectors) {
    windowValid_ = false;
    if (firstSector < g_.reservedSectors || firstSector >= fatEnd_) return false;
    const uint32_t count = std::min({sectors, kWindowSectors, fatEnd_ - firstSector});
    if (!disk_.ReadSectors(drive_, firstSector, count, window_.data())) return false;
    sectorsRead_ += count;
    windowStart_ = firstSector;
    windowCount_ = count;
    windowValid_ = true;
    return true;
}

uint8_t* FatTable::WindowBytes(uint64_t position) {
    return window_.data() + (position - uint64_t(windowStart_) * g_.bytesPerSector);
}

bool FatTable::ReadFatEntry(uint32_t n, int64_t& entry) {
    if (n >= g_.ClusterLimit()) return false;
    const EntrySpan span = SpanOf(n);
    if (!WindowHolds(span)) {
        uint32_t start = span.firstSector / kWindowSectors * kWindowSectors;
        start = std::max(start, g_.reservedSectors);
        // A FAT12 entry on the window's last byte: start the window at the entry.
        if (span.lastSector >= start + kWindowSectors) start = span.firstSector;
        if (!LoadWindow(start, kWindowSectors) || !WindowHolds(span)) return false;
    }
    const uint32_t value = LoadFatEntry(WindowBytes(span.position), g_.type, n);
    entry = value >= g_.EndOfChainThreshold() ? kEndOfChain : int64_t(value);
    return true;
}

template <typename NextValue>
bool FatTable::WriteEntries(uint32_t first, uint32_t count, NextValue next) {
    if (first < 2 || uint64_t(first) + count > g_.ClusterLimit()) return false;
    uint32_t done = 0;
    while (done < count) {
        const uint32_t batchFirst = first + done;
        const EntrySpan firstSpan = SpanOf(batchFirst);
        // A window for a write reads only the sectors the remaining entries lie in.
        const uint32_t sectorsWanted = SpanOf(first + count - 1).lastSector - firstSpan.firstSector + 1;
        if (!WindowHolds(firstSpan) &&
            (!LoadWindow(firstSpan.firstSector, sectorsWanted) || !WindowHolds(firstSpan)))
            return false;
        uint32_t batchCount = 0;
        uint32_t lastSector = firstSpan.lastSector;
        while (done + batchCount < count) {
            const EntrySpan span = SpanOf(batchFirst + batchCount);
            if (!WindowHolds(span)) break;
            StoreFatEntry(WindowBytes(span.position), g_.type, batchFirst + batchCount, next(done + batchCount));
            lastSector = span.lastSector;
            ++batchCount;
        }
        const uint32_t sectors = lastSector - firstSpan.firstSector + 1;
        const uint8_t* data = WindowBytes(uint64_t(firstSpan.firstSector) * g_.bytesPerSector);
        for (uint32_t copy = 0; copy < g_.fatCount; ++copy) {
            const uint32_t sector = firstSpan.firstSector + copy * g_.sectorsPerFat;
            if (!disk_.WriteSectors(drive_, sector, sectors, data, kWriteFat)) {
                windowValid_ = false;  // memory and disk may now differ
                return false;
            }
        }
        done += batchCount;
    }
    return true;
}

bool FatTable::WriteFatEntries(uint32_t first, uint32_t count, int64_t link) {
    if (count == 0) return true;
    if (link != kEndOfChain && !g_.IsDataCluster(uint64_t(link))) return false;
    const uint32_t last = link == kEndOfChain ? g_.EndOfChainMark() : uint32_t(link);
    return WriteEntries(first, count,
                        [&](uint32_t i) { return i + 1 == count ? last : first + i + 1; });
}

bool FatTable::FreeFatEntries(uint32_t first, uint32_t count) {
    return WriteEntries(first, count, [](uint32_t) { return 0u; });
}

bool FatTable::CompareCopies(std::vector<ClusterRun> guarded, bool& disagree) {
    disagree = false;
    if (g_.fatCount < 2) return true;
    std::sort(guarded.begin(), guarded.end(),
              [](const ClusterRun& a, const ClusterRun& b) { return a.start < b.start; });
    const uint32_t width = g_.type == FatType::Fat32 ? 4 : 2;
    const uint32_t limit = g_.ClusterLimit();
    std::vector<uint8_t> other(window_.size());
    for (uint32_t copy = 1; copy < g_.fatCount; ++copy) {
        size_t run = 0;
        uint32_t c = 2;
        while (c < limit) {
            // A chunk of both copies from the sector of entry c; entries that
            // end past the chunk are compared with the next one.
            const uint32_t sector = uint32_t(FatEntryOffset(g_.type, c) / g_.bytesPerSector);
            const uint32_t count = std::min(kWindowSectors, g_.sectorsPerFat - sector);
            if (!LoadWindow(g_.reservedSectors + sector, count)) return false;
            if (!disk_.ReadSectors(drive_, g_.reservedSectors + copy * g_.sectorsPerFat + sector, count,
                                   other.data()))
                return false;
            sectorsRead_ += count;
            const uint64_t base = uint64_t(sector) * g_.bytesPerSector;
            const uint64_t end = base + uint64_t(count) * g_.bytesPerSector;
            const uint32_t from = c;
            for (; c < limit; ++c) {
                const uint64_t at = FatEntryOffset(g_.type, c);
                if (at + width > end) break;
                const uint32_t mine = LoadFatEntry(window_.data() + (at - base), g_.type, c);
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
