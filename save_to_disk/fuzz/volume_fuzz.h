// Runs FatPlacementEngine on a volume image given as bytes (its boot sector,
// FAT and root directory come first) and checks that no write the engine
// issues leaves the volume. Shared by the libFuzzer target and the bounded
// run in the test suite.
#pragma once

#include <cstddef>
#include <cstdint>

// The volume is the input padded with zeros to at least the smaller size and
// cut to the larger.
constexpr size_t kFuzzMinVolumeBytes = 256 * 1024;
constexpr size_t kFuzzMaxVolumeBytes = 4 * 1024 * 1024;

// False when the engine asked to write outside the volume.
bool RunEngineOnVolumeBytes(const uint8_t* data, size_t size);
