// The placement engines fed with damaged volumes and bent answers, and the
// disk-image binding fed with damaged disks. Shared by the libFuzzer targets
// (make fuzz) and the bounded runs in the test suite.
//
// Each engine run checks what the engines promise whatever the volume holds:
// no write outside the volume, and no byte of another file changed (its data
// clusters, its FAT entries, the clusters of the directories under the root).
// The other files are found before the run by a walk of the volume's own (not
// the engine's) over the directory tree.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// A volume is the input padded with zeros to the size its boot sector gives,
// within these bounds (and never cut shorter than the input's bytes).
constexpr size_t kFuzzMinVolumeBytes = 256 * 1024;
constexpr size_t kFuzzMaxVolumeBytes = 4 * 1024 * 1024;
// A disk reaches the end of its farthest partition within this bound.
constexpr size_t kFuzzMaxDiskBytes = 4 * 1024 * 1024;

// What went wrong in a run; empty when nothing did.
struct FuzzFinding {
    std::string what;
    explicit operator bool() const { return !what.empty(); }
};

// FatPlacementEngine on a volume image given as bytes (its boot sector, FAT
// and root directory come first).
FuzzFinding RunEngineOnVolumeBytes(const uint8_t* data, size_t size);

// FsctlPlacementEngine on one of the FAT volume images at `volumePaths`
// (copied, never changed; the input's first byte chooses), with the
// file-system controls' answers bent by the input: each answer takes the next
// 12 input bytes as an edit (a field overwritten, the status or the answer's
// size changed). The engine must end within a bounded number of controls.
FuzzFinding RunFsctlEngineOnAnswers(const std::vector<std::string>& volumePaths, const uint8_t* data, size_t size);

// The root-directory reader and writer on a volume given as bytes: the save
// file found in the root is written sector by sector; every write inside its
// chain lands where the chain lies, none past it is taken, and no other byte
// of the volume changes.
FuzzFinding RunRootFileOnVolumeBytes(const uint8_t* data, size_t size);

// The disk-image binding on a disk given as bytes (an MBR first): its FAT
// partitions found as the binding finds them, the partition probe, and on
// each drive the save file's attributes, search and writes; nothing outside
// the drive's partition changes.
FuzzFinding RunImageBindingOnDiskBytes(const uint8_t* data, size_t size);

// Controls after which a run counts as hung.
constexpr unsigned kFuzzMaxControls = 4096;
