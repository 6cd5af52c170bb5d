#include "save_to_disk/engine/fsctl/fsctl_placement_engine.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "save_to_disk/engine/placement_messages.h"

namespace {

template <typename T>
T FieldAt(const std::vector<uint8_t>& bytes, size_t offset) {
    T value;
    std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
}

}  // namespace

FsctlPlacementEngine::FsctlPlacementEngine(DiskAccess& disk, PlacementHost& host)
    : disk_(disk), host_(host), answer_(std::max(kBitmapAnswerBytes, kExtentAnswerBytes)) {}

bool FsctlPlacementEngine::MakeContiguous(char letter, const std::string& path, uint64_t size) {
    ntfs_ = false;
    zoneValid_ = false;
    bytesPerCluster_ = 0;
    extents_.Clear();
    freeRuns_.Clear();
    totals_ = {};
    if (!disk_.ResolveFsControl()) {
        host_.ShowMessage(kMsgNoNtFsControlFile);
        return false;
    }
    uint32_t error = 0;
    if (!disk_.OpenVolume(letter, error)) {
        host_.ShowMessage(kMsgVolumeOpenFailed);
        WriteSystemError(error);
        return false;
    }
    ReadNtfsVolumeData();
    if (!CreateSaveFile(disk_, host_, path, size, error)) {
        WriteSystemError(error);
        disk_.CloseVolume();
        return false;
    }
    const bool placed = ProcessMatchingFiles(
        disk_, host_, path, [this](const std::string& file, bool first) { return ProcessFile(file, first); });
    disk_.CloseVolume();
    return placed;
}

void FsctlPlacementEngine::ReadNtfsVolumeData() {
    uint32_t returned = 0;
    bool waited = false;
    const uint32_t status = disk_.FsControl(FsControlTarget::Volume, kFsctlGetNtfsVolumeData, nullptr, 0,
                                            answer_.data(), kNtfsVolumeDataBytes, returned, waited);
    if (status != kStatusSuccess || returned < kNtfsVolumeDataBytes) return;
    const uint32_t bytesPerCluster = FieldAt<uint32_t>(answer_, kNtfsBytesPerClusterAt);
    if (bytesPerCluster == 0) return;
    ntfs_ = true;
    bytesPerCluster_ = bytesPerCluster;
    // A zone outside 0..kMaxZoneCluster, or ending before it starts, is no
    // zone: its rounding would overflow, and nothing sensible can be clipped.
    const int64_t zoneStart = FieldAt<int64_t>(answer_, kNtfsMftZoneStartAt);
    const int64_t zoneEnd = FieldAt<int64_t>(answer_, kNtfsMftZoneEndAt);
    zoneValid_ = zoneStart >= 0 && zoneStart <= zoneEnd && zoneEnd <= kMaxZoneCluster;
    if (zoneValid_) zone_ = RoundMftZone(zoneStart, zoneEnd);
}

bool FsctlPlacementEngine::ProcessFile(const std::string& path, bool first) {
    WriteProcessingLine(host_, path, first);
    if (!disk_.OpenFileForScan(path)) {
        const uint32_t error = disk_.LastSystemError();
        host_.ShowMessage(kMsgOpenFailed);
        WriteSystemError(error);
        return false;
    }
    ++totals_.filesProcessed;
    uint64_t fragments = 0;
    const bool placed = PlaceLoop(path, fragments);
    disk_.CloseFileForScan();
    return FinishFile(disk_, host_, totals_, path, placed, fragments);
}

bool FsctlPlacementEngine::PlaceLoop(const std::string& path, uint64_t& fragments) {
    uint64_t firstFragments = 0;
    for (unsigned pass = 0;; ++pass) {
        uint64_t before, used;
        if (ReadExtents(before, used) != kStatusSuccess) {
            --totals_.filesProcessed;
            return false;
        }
        if (pass == 0) firstFragments = std::max<uint64_t>(before, 1);
        if (before < 2) {
            // One run: the file is placed, on the first pass or after a move.
            totals_.fragmentsBefore += firstFragments;
            fragments = 1;
            return true;
        }
        if (pass >= kMaxPasses) {
            host_.ShowMessage(kMsgMoveFailed);
            --totals_.filesProcessed;
            return false;
        }
        uint64_t freeTotal;
        if (ReadFreeRuns(freeTotal) != kStatusSuccess) {
            --totals_.filesProcessed;
            return false;
        }
        if (freeTotal < used) {
            host_.ShowMessage(kMsgNoSpaceToDefragment);
            totals_.fragmentsBefore += before;
            totals_.fragmentsAfter += before;
            return false;
        }
        const Placement placement = PlaceFile(used, before);
        if (placement.placed) {
            totals_.fragmentsBefore += firstFragments;
            fragments = placement.count;
            return true;
        }
        if (placement.count == 0) {
            --totals_.filesProcessed;
            return false;
        }
        if (placement.count < before) continue;
        // No gain from moving: the file stays in the runs it has.
        WriteAsContiguousAsPossible(host_, path);
        totals_.fragmentsBefore += firstFragments;
        fragments = before;
        return true;
    }
}

uint32_t FsctlPlacementEngine::ReadExtents(uint64_t& fragments, uint64_t& used) {
    extents_.Clear();
    uint64_t f = 0;
    uint64_t u = 0;
    bool onDisk = false;
    int64_t lastLcn = 0;
    uint64_t lastLength = 0;
    int64_t vcn = 0;
    for (;;) {
        uint32_t returned = 0;
        bool waited = false;
        uint32_t status = disk_.FsControl(FsControlTarget::File, kFsctlGetRetrievalPointers, &vcn, sizeof vcn,
                                          answer_.data(), kExtentAnswerBytes, returned, waited);
        if (status != kStatusSuccess && status != kStatusBufferOverflow) {
            // Invalid parameter: the file has no extents.
            if (status == kStatusInvalidParameter) return status;
            host_.WriteOutput("Scanning file: ");
            ShowStatus(status);
            return status;
        }
        const auto header = FieldAt<RetrievalPointersHeader>(answer_, 0);
        const uint64_t room = returned < sizeof header ? 0 : (returned - sizeof header) / sizeof(RetrievalExtent);
        bool sound = returned >= sizeof header && header.extentCount <= room && header.startingVcn >= 0 &&
                     header.startingVcn <= vcn && (status == kStatusSuccess || header.extentCount > 0) &&
                     extents_.Extents().Count() + header.extentCount <= kMaxExtents;
        int64_t current = header.startingVcn;
        for (uint32_t i = 0; sound && i < header.extentCount; ++i) {
            const auto extent = FieldAt<RetrievalExtent>(answer_, sizeof header + i * sizeof(RetrievalExtent));
            if (extent.nextVcn <= current || (extent.lcn < 0 && extent.lcn != kVirtualLcn)) {
                sound = false;
                break;
            }
            const uint64_t length = uint64_t(extent.nextVcn - current);
            const bool isVirtual = extent.lcn == kVirtualLcn;
            extents_.Append({current, length, isVirtual});
            if (!isVirtual) {
                if (!onDisk || uint64_t(extent.lcn) != uint64_t(lastLcn) + lastLength) ++f;
                onDisk = true;
                lastLcn = extent.lcn;
                lastLength = length;
                u += length;
            }
            current = extent.nextVcn;
        }
        // An answer that says there is more must end past the cluster asked
        // for: asking again from the same place would never end.
        if (status == kStatusBufferOverflow && current <= vcn) sound = false;
        if (!sound) {
            status = kStatusUnsuccessful;
            host_.WriteOutput("Scanning file: ");
            ShowStatus(status);
            return status;
        }
        if (status == kStatusSuccess) break;
        vcn = current;
    }
    fragments = f;
    used = u;
    return kStatusSuccess;
}

uint32_t FsctlPlacementEngine::ReadFreeRuns(uint64_t& total) {
    freeRuns_.Clear();
    FreeRunCollector collector(freeRuns_, ntfs_ && zoneValid_ ? &zone_ : nullptr);
    int64_t lcn = 0;
    int64_t volumeEnd = -1;  // the cluster after the last, as the first answer gives it
    for (;;) {
        uint32_t returned = 0;
        bool waited = false;
        uint32_t status = disk_.FsControl(FsControlTarget::Volume, kFsctlGetVolumeBitmap, &lcn, sizeof lcn,
                                          answer_.data(), kBitmapAnswerBytes, returned, waited);
        const auto header = FieldAt<VolumeBitmapHeader>(answer_, 0);
        uint64_t clusters = 0;
        if (status == kStatusSuccess || status == kStatusBufferOverflow) {
            const uint64_t held = returned < sizeof header ? 0 : uint64_t(returned - sizeof header) * 8;
            clusters = header.bitmapSize < 0 ? 0 : std::min({uint64_t(header.bitmapSize), kBitmapAnswerClusters, held});
            // An answer must hold its header, start at or before the cluster
            // asked for, and move on when it says there is more.
            // Every answer names the same end of the volume, and one that
            // says there is more ends past the cluster asked for.
            const bool sound = returned >= sizeof header && header.startingLcn >= 0 && header.startingLcn <= lcn &&
                               header.bitmapSize >= 0 &&
                               header.bitmapSize <= INT64_MAX - header.startingLcn &&
                               (volumeEnd < 0 || header.startingLcn + header.bitmapSize == volumeEnd) &&
                               (status != kStatusBufferOverflow || header.startingLcn + int64_t(clusters) > lcn);
            if (!sound) status = kStatusUnsuccessful;
            else if (volumeEnd < 0) volumeEnd = header.startingLcn + header.bitmapSize;
        }
        if (status != kStatusSuccess && status != kStatusBufferOverflow) {
            host_.WriteOutput(waited ? "\nGet Volume Bitmap: " : "\nScanning Disk: ");
            ShowStatus(status);
            return status;
        }
        collector.AddAnswer(header.startingLcn, answer_.data() + sizeof header, clusters);
        if (status == kStatusSuccess) break;
        lcn = header.startingLcn + int64_t(clusters);
    }
    collector.Finish();
    total = collector.Total();
    return kStatusSuccess;
}

FsctlPlacementEngine::Placement FsctlPlacementEngine::PlaceFile(uint64_t used, uint64_t fragments) {
    if (freeRuns_.Count() > 0 && freeRuns_[0].length >= NeededLength(used, ntfs_)) {
        size_t target = 0;
        while (target + 1 < freeRuns_.Count() && freeRuns_[target + 1].length >= used) ++target;
        return MoveWholeFile(freeRuns_[target], used);
    }
    int64_t v = 0;
    uint64_t left = used;
    uint64_t count = 0;
    size_t taken = 0;
    while (left > 0 && taken < freeRuns_.Count()) {
        const uint64_t span =
            CutToNtfsRuns(extents_.VirtualSpan(v, std::min(left, freeRuns_[taken].length)), ntfs_);
        ++count;
        left -= std::min(left, extents_.DiskCount(v, span));
        v += int64_t(span);
        ++taken;
    }
    if (taken >= freeRuns_.Count()) {
        // Every free run would be needed.
        host_.ShowMessage(kMsgNoSpaceToDefragment);
        return {false, 0};
    }
    if (count >= fragments) return {false, count};
    const Placement filled = FillFreeRuns(used);
    return filled.count == 0 ? filled : Placement{filled.placed, count};
}

FsctlPlacementEngine::Placement FsctlPlacementEngine::MoveWholeFile(const LcnRun& target, uint64_t used) {
    const uint32_t status = MoveClusters(0, target.start, extents_.VirtualSpan(0, used));
    // A success is checked by reading the extents again: the file is placed
    // only when they show one run. Already committed: the target was taken
    // meanwhile, so the volume is read again.
    if (status == kStatusSuccess || status == kStatusAlreadyCommitted) return {false, 1};
    ShowStatus(status);
    return {false, 0};
}

FsctlPlacementEngine::Placement FsctlPlacementEngine::FillFreeRuns(uint64_t used) {
    int64_t v = 0;
    uint64_t left = used;
    for (size_t i = 0; i < freeRuns_.Count() && left > 0; ++i) {
        const uint64_t span = CutToNtfsRuns(extents_.VirtualSpan(v, std::min(left, freeRuns_[i].length)), ntfs_);
        const uint32_t status = MoveClusters(v, freeRuns_[i].start, span);
        if (status == kStatusAlreadyCommitted) return {false, 1};
        if (status != kStatusSuccess) {
            ShowStatus(status);
            return {false, 0};
        }
        left -= std::min(left, extents_.DiskCount(v, span));
        v += int64_t(span);
    }
    // The list ending first leaves the rest to a new pass.
    return {left == 0, 1};
}

uint32_t FsctlPlacementEngine::MoveClusters(int64_t v, int64_t l, uint64_t n) {
    MoveFileRequest request{disk_.ScanFileHandle(), 0, 0, 0, 0};
    for (const uint64_t step : MoveSteps(v, n, bytesPerCluster_, ntfs_)) {
        if (step > UINT32_MAX) return kStatusInvalidParameter;
        request.startingVcn = v;
        request.startingLcn = l;
        request.clusterCount = uint32_t(step);
        uint32_t returned = 0;
        bool waited = false;
        const uint32_t status = disk_.FsControl(FsControlTarget::Volume, kFsctlMoveFile, &request, sizeof request,
                                                nullptr, 0, returned, waited);
        if (status == kStatusAlreadyCommitted) disk_.FlushVolume();
        if (status != kStatusSuccess) return status;
        l += int64_t(extents_.DiskCount(v, step));
        v += int64_t(step);
    }
    return kStatusSuccess;
}

void FsctlPlacementEngine::ShowStatus(uint32_t status) { host_.ShowMessage(StatusNameMessage(status)); }

void FsctlPlacementEngine::WriteSystemError(uint32_t error) {
    host_.WriteOutput(disk_.SystemErrorText(error) + "\n");
}
