// The arithmetic of the file-system-control engine: the MFT zone and the
// clipping of free runs against it, the NTFS rounding of lengths, the split of
// a move at 256 KiB boundaries, the free runs of a volume bitmap read in
// several answers, and the conversions between virtual and on-disk clusters.
#pragma once

#include <cstdint>
#include <vector>

#include "save_to_disk/engine/run_list.h"

// NTFS allocates in runs of this many clusters.
constexpr uint64_t kNtfsRunClusters = 16;
// NTFS moves do not cross blocks of this many bytes.
constexpr uint64_t kNtfsMoveBlockBytes = 0x40000;

// The clusters the file system keeps for its MFT, first to last inclusive.
struct MftZone {
    int64_t first;
    int64_t last;
};

// The zone from the volume data's start and end: the start rounded down to a
// multiple of 16, the end + 16 rounded down to one.
MftZone RoundMftZone(int64_t zoneStart, int64_t zoneEnd);

// A free run without its part inside the zone; false when nothing is left.
bool ClipToMftZone(LcnRun& run, const MftZone& zone);

// The clusters a whole-file target must hold: U, or on NTFS (U + 16) rounded
// down to a multiple of 16.
uint64_t NeededLength(uint64_t used, bool ntfs);

// A span of virtual clusters given to one free run: on NTFS cut to a multiple
// of 16 when above 16.
uint64_t CutToNtfsRuns(uint64_t span, bool ntfs);

// The steps (in virtual clusters) of a move of n clusters from virtual cluster
// v: one step, or on NTFS steps that end at 256 KiB boundaries of the file.
std::vector<uint64_t> MoveSteps(int64_t v, uint64_t n, uint32_t bytesPerCluster, bool ntfs);

// The free runs of a volume bitmap read in answers one after the other: a run
// still open at the end of an answer continues into the next one, and is
// recorded once, with its full length, when it ends or the bitmap does.
class FreeRunCollector {
public:
    // `zone`: clip every run against it (NTFS mode), or none.
    FreeRunCollector(RunListOf<LcnRun>& runs, const MftZone* zone);
    // One answer: `clusters` bits from logical cluster `start`, set = in use,
    // least significant bit first.
    void AddAnswer(int64_t start, const uint8_t* bitmap, uint64_t clusters);
    // The end of the bitmap: a run still open is recorded, and the runs are
    // put longest first (later first among equals).
    void Finish();
    // Free clusters found, before clipping.
    uint64_t Total() const { return total_; }

private:
    void CloseRun();
    void Record(int64_t start, uint64_t length);

    RunListOf<LcnRun>& runs_;
    const MftZone* zone_;
    uint64_t total_ = 0;
    bool open_ = false;
    int64_t runStart_ = 0;
    int64_t next_ = 0;  // the cluster after the last one seen
};

// A file's extents in file order, with the conversions between virtual
// clusters and clusters on disk.
class FileExtents {
public:
    void Clear();
    void Append(const Extent& extent);
    const RunListOf<Extent>& Extents() const { return extents_; }

    // The virtual clusters from v that cover n clusters on disk, virtual
    // extents passed on the way counted in full.
    uint64_t VirtualSpan(int64_t v, uint64_t n) const;
    // The clusters on disk inside `span` virtual clusters from v.
    uint64_t DiskCount(int64_t v, uint64_t span) const;

private:
    size_t ExtentHolding(int64_t v) const;

    RunListOf<Extent> extents_;
    bool hasVirtual_ = false;
};
