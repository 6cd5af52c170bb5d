#include "save_to_disk/engine/fsctl/fsctl_rules.h"

#include <algorithm>

namespace {

int64_t RoundDownToRun(int64_t cluster) { return cluster - cluster % int64_t(kNtfsRunClusters); }

}  // namespace

MftZone RoundMftZone(int64_t zoneStart, int64_t zoneEnd) {
    return {RoundDownToRun(zoneStart), RoundDownToRun(zoneEnd + int64_t(kNtfsRunClusters))};
}

bool ClipToMftZone(LcnRun& run, const MftZone& zone) {
    if (run.length == 0) return false;
    const int64_t last = run.start + int64_t(run.length) - 1;
    if (run.start >= zone.first && run.start <= zone.last) {
        if (last <= zone.last) return false;
        run = {zone.last + 1, uint64_t(last - zone.last)};
        return true;
    }
    if (run.start < zone.first && last >= zone.first) run.length = uint64_t(zone.first - run.start);
    return true;
}

uint64_t NeededLength(uint64_t used, bool ntfs) {
    return ntfs ? (used + kNtfsRunClusters) / kNtfsRunClusters * kNtfsRunClusters : used;
}

uint64_t CutToNtfsRuns(uint64_t span, bool ntfs) {
    return ntfs && span > kNtfsRunClusters ? span / kNtfsRunClusters * kNtfsRunClusters : span;
}

std::vector<uint64_t> MoveSteps(int64_t v, uint64_t n, uint32_t bytesPerCluster, bool ntfs) {
    const uint64_t first = uint64_t(v) * bytesPerCluster;
    const uint64_t end = (uint64_t(v) + n) * bytesPerCluster;
    if (!ntfs || n == 0 || bytesPerCluster == 0 || first / kNtfsMoveBlockBytes == (end - 1) / kNtfsMoveBlockBytes)
        return {n};
    const uint64_t s = std::max<uint64_t>(1, kNtfsMoveBlockBytes / bytesPerCluster);
    std::vector<uint64_t> steps;
    uint64_t left = n;
    uint64_t step = std::min(left, s - uint64_t(v) % s);
    while (left > 0) {
        steps.push_back(step);
        left -= step;
        step = std::min(left, s);
    }
    return steps;
}

FreeRunCollector::FreeRunCollector(RunListOf<LcnRun>& runs, const MftZone* zone) : runs_(runs), zone_(zone) {}

void FreeRunCollector::AddAnswer(int64_t start, const uint8_t* bitmap, uint64_t clusters) {
    // An answer that does not follow the last one ends the open run there.
    if (open_ && start != next_) CloseRun();
    for (uint64_t i = 0; i < clusters; ++i) {
        const bool used = (bitmap[i / 8] >> (i % 8)) & 1;
        const int64_t lcn = start + int64_t(i);
        if (!used && !open_) {
            open_ = true;
            runStart_ = lcn;
        } else if (used && open_) {
            open_ = false;
            Record(runStart_, uint64_t(lcn - runStart_));
        }
    }
    next_ = start + int64_t(clusters);
}

void FreeRunCollector::CloseRun() {
    if (!open_) return;
    open_ = false;
    Record(runStart_, uint64_t(next_ - runStart_));
}

void FreeRunCollector::Finish() {
    CloseRun();
    runs_.SortLongestFirst();
}

void FreeRunCollector::Record(int64_t start, uint64_t length) {
    total_ += length;
    LcnRun run{start, length};
    if (zone_ && !ClipToMftZone(run, *zone_)) return;
    runs_.Append(run);
}

void FileExtents::Clear() {
    extents_.Clear();
    hasVirtual_ = false;
}

void FileExtents::Append(const Extent& extent) {
    extents_.Append(extent);
    hasVirtual_ = hasVirtual_ || extent.isVirtual;
}

size_t FileExtents::ExtentHolding(int64_t v) const {
    size_t i = 0;
    while (i < extents_.Count() && extents_[i].vcn + int64_t(extents_[i].length) <= v) ++i;
    return i;
}

uint64_t FileExtents::VirtualSpan(int64_t v, uint64_t n) const {
    if (!hasVirtual_) return n;
    uint64_t span = 0;
    uint64_t counted = 0;
    int64_t at = v;
    for (size_t i = ExtentHolding(v); i < extents_.Count() && counted < n; ++i) {
        const Extent& e = extents_[i];
        const uint64_t here = uint64_t(e.vcn + int64_t(e.length) - at);
        const uint64_t take = e.isVirtual ? here : std::min(here, n - counted);
        if (!e.isVirtual) counted += take;
        span += take;
        at += int64_t(take);
    }
    return span;
}

uint64_t FileExtents::DiskCount(int64_t v, uint64_t span) const {
    if (!hasVirtual_) return span;
    uint64_t count = 0;
    const int64_t end = v + int64_t(span);
    for (size_t i = ExtentHolding(v); i < extents_.Count() && extents_[i].vcn < end; ++i) {
        const Extent& e = extents_[i];
        if (e.isVirtual) continue;
        const int64_t from = std::max(v, e.vcn);
        const int64_t to = std::min(end, e.vcn + int64_t(e.length));
        if (to > from) count += uint64_t(to - from);
    }
    return count;
}
