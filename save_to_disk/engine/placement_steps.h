// The steps both placement engines take alike: creating the save file at its
// full size, going through the files that match the path, and the progress
// lines they write to standard output.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "save_to_disk/engine/disk_access.h"
#include "save_to_disk/engine/placement_host.h"

struct PlacementTotals {
    uint32_t filesProcessed = 0;
    uint32_t filesPlaced = 0;
    uint64_t fragmentsBefore = 0;
    uint64_t fragmentsAfter = 0;
};

// Creates (always) `path` with `size` bytes. On failure shows message 1 or 3,
// deletes the file and gives the system's code of the failure in `error`.
bool CreateSaveFile(DiskAccess& disk, PlacementHost& host, const std::string& path, uint64_t size,
                    uint32_t& error);

// Runs `process`(full path, first) on every file that matches `path`; writes
// the "No files found" line when none does. True when any was placed.
bool ProcessMatchingFiles(DiskAccess& disk, PlacementHost& host, const std::string& path,
                          const std::function<bool(const std::string&, bool)>& process);

// Ends one file's placement: a file that was not placed is deleted; a placed
// one gets its "optimized" line and counts in the totals. Returns placed.
bool FinishFile(DiskAccess& disk, PlacementHost& host, PlacementTotals& totals, const std::string& path, bool placed,
                uint64_t fragments);

// The separator and "Processing" line before a file.
void WriteProcessingLine(PlacementHost& host, const std::string& path, bool first);
void WriteOptimizedLine(PlacementHost& host, const std::string& path, uint64_t fragments);
void WriteAsContiguousAsPossible(PlacementHost& host, const std::string& path);
