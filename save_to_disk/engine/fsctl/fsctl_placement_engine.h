// The Windows NT engine behind MakeContiguous: creates the save file at its
// full size, then asks the file system for the file's extents and the
// volume's allocation bitmap and lets it move clusters, until the file lies
// in one run, or in as few runs as the free space allows.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "save_to_disk/engine/disk_access.h"
#include "save_to_disk/engine/fsctl/fs_control.h"
#include "save_to_disk/engine/fsctl/fsctl_rules.h"
#include "save_to_disk/engine/placement_host.h"
#include "save_to_disk/engine/placement_steps.h"

class FsctlPlacementEngine {
public:
    // How many passes a file gets: the extents and the bitmap are read again
    // after an already-committed answer, a fill that ran out of free runs, or
    // a move that did not leave the file in one run.
    static constexpr unsigned kMaxPasses = 16;
    // A file's extents are read up to this many; more fails the pass.
    static constexpr uint64_t kMaxExtents = uint64_t(1) << 22;
    // The largest MFT zone bound taken from the volume data.
    static constexpr int64_t kMaxZoneCluster = int64_t(1) << 62;

    FsctlPlacementEngine(DiskAccess& disk, PlacementHost& host);

    // Creates `path` (on drive `letter`) with `size` bytes and makes it
    // contiguous; true when the file was placed. A file that cannot be placed
    // is deleted. Failures never end the program.
    bool MakeContiguous(char letter, const std::string& path, uint64_t size);

    const PlacementTotals& Totals() const { return totals_; }

private:
    struct Placement {
        bool placed;
        uint64_t count;  // K: 0 for a failure
    };

    void ReadNtfsVolumeData();
    bool ProcessFile(const std::string& path, bool first);
    bool PlaceLoop(const std::string& path, uint64_t& fragments);
    // Each gives the final status of its requests (an answer that does not
    // hold together counts as kStatusUnsuccessful).
    uint32_t ReadExtents(uint64_t& fragments, uint64_t& used);
    uint32_t ReadFreeRuns(uint64_t& total);
    Placement PlaceFile(uint64_t used, uint64_t fragments);
    Placement MoveWholeFile(const LcnRun& target, uint64_t used);
    Placement FillFreeRuns(uint64_t used);
    uint32_t MoveClusters(int64_t v, int64_t l, uint64_t n);
    void ShowStatus(uint32_t status);
    void WriteSystemError(uint32_t error);

    DiskAccess& disk_;
    PlacementHost& host_;
    bool ntfs_ = false;
    uint32_t bytesPerCluster_ = 0;
    MftZone zone_{};
    bool zoneValid_ = false;
    FileExtents extents_;
    RunListOf<LcnRun> freeRuns_;
    std::vector<uint8_t> answer_;
    PlacementTotals totals_;
};
