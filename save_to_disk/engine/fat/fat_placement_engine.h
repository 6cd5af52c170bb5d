// The Windows 95/98 engine behind MakeContiguous: creates the save file at its
// full size through the file system, then edits the volume's FAT and directory
// sectors until the file lies in one run of clusters, or in as few runs as the
// free space allows.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "save_to_disk/engine/disk_access.h"
#include "save_to_disk/engine/fat/fat_directory.h"
#include "save_to_disk/engine/fat/fat_geometry.h"
#include "save_to_disk/engine/fat/fat_table.h"
#include "save_to_disk/engine/placement_host.h"
#include "save_to_disk/engine/placement_steps.h"
#include "save_to_disk/engine/run_list.h"

class FatPlacementEngine {
public:
    // How often a file is scanned again after someone else changed the volume.
    static constexpr unsigned kMaxRescans = 16;
    // Data is written in steps of this many bytes (or of one cluster, when
    // larger): gathered from the file's runs, then written in one transfer.
    static constexpr uint32_t kCopyBytes = 1048576;
    // A run this close behind the one before it is read together with it.
    static constexpr uint32_t kReadThroughBytes = 65536;

    FatPlacementEngine(DiskAccess& disk, PlacementHost& host);

    // Creates `path` (on drive `letter`, upper case) with `size` bytes and makes
    // it contiguous; true when the file was placed. A file that cannot be placed
    // is deleted. A failed volume setup ends the program through the host.
    bool MakeContiguous(char letter, const std::string& path, uint64_t size);

    const PlacementTotals& Totals() const { return totals_; }
    // How often the last MakeContiguous read part or all of the FAT (for the benchmark).
    uint64_t FatScans() const { return fat_ ? fat_->Scans() : 0; }

private:
    enum class Outcome { Placed, Changed, Count, Failed };
    struct Placement {
        Outcome outcome;
        uint32_t count;
    };
    enum class Move { Done, Changed, Failed };

    bool SetUpVolume(char letter);
    void FailSetup(unsigned message);
    bool ProcessFile(const std::string& path, bool first);
    bool PlaceLoop(const std::string& path, uint32_t& fragments);
    bool ScanFile(const std::string& path);
    bool FindRootEntry(const char name[11], uint32_t firstCluster);
    bool ScanDirectorySector(const uint8_t* data, uint32_t sector, const char name[11], uint32_t firstCluster);
    bool WalkFileChain();
    bool ScanFreeSpace(uint32_t wanted, uint64_t& total);
    Placement PlaceFile();
    Placement MoveWholeFile(const ClusterRun& target);
    Placement FillFreeRuns(uint32_t runsTaken);
    Placement MoveFailed(Move result);
    Move MoveRun(uint32_t predecessor, int64_t link, uint32_t source, uint32_t destination,
                 uint32_t count);
    // 0 when the volume may be written, else the message that refuses it.
    unsigned CheckVolume(const RunList& fileRuns);
    // Checks of entries read again from disk (FatTable::Reload) before a move.
    bool FileStillAsScanned() const;
    // The predecessor's entry, or the directory entry when there is none, names `source`.
    bool LinkedAsScanned(uint32_t predecessor, uint32_t source);
    bool StillFree(uint32_t first, uint32_t count) const;
    bool DirectoryEntryNames(uint32_t start);
    // Copies the runs' clusters, in order, into the run from `destination` on.
    bool CopyRuns(std::span<const ClusterRun> runs, uint32_t destination);
    // Clusters of the file written at a time.
    uint32_t WriteStep() const;
    // A piece of the file in one transfer: clusters from the transfer's start.
    struct Piece {
        uint32_t at, length;
    };
    // One read from runs[i] + done into the copy buffer after `gathered`
    // clusters: the file's pieces in it and the clusters it spans; i and done
    // move past what it takes.
    uint32_t PlanTransfer(std::span<const ClusterRun> runs, size_t& i, uint32_t& done, uint32_t gathered,
                          std::vector<Piece>& pieces) const;
    // Moves the pieces of a transfer together; returns their clusters.
    uint32_t PackPieces(const std::vector<Piece>& pieces, uint8_t* transfer) const;
    bool WriteGathered(uint32_t& destination, uint32_t& gathered);
    bool LinkDirectoryEntry(uint32_t oldStart, uint32_t newStart);

    DiskAccess& disk_;
    PlacementHost& host_;
    unsigned drive_ = 0;
    std::string root_;
    FatGeometry g_;
    std::unique_ptr<FatTable> fat_;
    std::vector<uint8_t> directory_;  // one directory cluster
    // The data copy buffer: a write step and room for the gaps read through,
    // taken when the first data is copied. Every byte is read from the disk
    // before it is written back, so it is never cleared.
    std::unique_ptr<uint8_t[]> copy_;
    size_t copyBytes_ = 0;
    RunList fileRuns_;
    RunList freeRuns_;
    DirEntryPosition entry_;
    uint32_t firstCluster_ = 0;
    uint32_t fileSize_ = 0;
    PlacementTotals totals_;
};
