// The placement engines fed with damaged volumes and bent answers. Shared by
// the libFuzzer targets (make fuzz) and the bounded runs in the test suite.
//
// Each run checks what the engines promise whatever the volume holds: no
// write outside the volume, and no byte of another file changed (its data
// clusters, its FAT entries, the clusters of the directories under the root).
// The other files are found before the run by a walk of the volume's own (not
// the engine's) over the directory tree.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The volume is the input padded with zeros to at least the smaller size and
// cut to the larger.
constexpr size_t kFuzzMinVolumeBytes = 256 * 1024;
constexpr size_t kFuzzMaxVolumeBytes = 4 * 1024 * 1024;

// What went wrong in a run; empty when nothing did.
struct FuzzFinding {
    std::string what;
    explicit operator bool() const { return !what.empty(); }
};

// FatPlacementEngine on a volume image given as bytes (its boot sector, FAT
// and root directory come first).
FuzzFinding RunEngineOnVolumeBytes(const uint8_t* data, size_t size);

// FsctlPlacementEngine on the FAT volume image at `volumePath` (copied, never
// changed), with the file-system controls' answers bent by the input: each
// answer takes the next 12 input bytes as an edit (a field overwritten, the
// status or the answer's size changed). The engine must end within a bounded
// number of controls.
FuzzFinding RunFsctlEngineOnAnswers(const std::string& volumePath, const uint8_t* data, size_t size);

// Controls after which a run counts as hung.
constexpr unsigned kFuzzMaxControls = 4096;
