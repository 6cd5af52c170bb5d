// A bounded fuzz run in the test suite: mkfs.fat volumes with files, their
// boot sector, FAT and root directory bytes mutated at random (fixed seed).
// The engine must come back every time without asking to write outside the volume.
#include <gtest/gtest.h>

#include <random>

#include "save_to_disk/fuzz/volume_fuzz.h"
#include "save_to_disk/tests/fat_image.h"

namespace {

class VolumeFuzz : public testing::TestWithParam<VolumeRecipe> {};

TEST_P(VolumeFuzz, MutatedVolumesNeverEscape) {
    FatImage image(GetParam());
    image.Lay({-5, 2, -7, 3, -4, 2}, false);
    const std::vector<uint8_t> seed = image.ReadBytes(0, size_t(GetParam().sizeKiB) * 1024);
    // Boot sector, FATs and root directory lie in the first 16 KiB of these volumes.
    const size_t metadata = 16 * 1024;
    ASSERT_GE(seed.size(), metadata);
    std::mt19937 random(GetParam().fatBits);
    for (int round = 0; round < 80; ++round) {
        std::vector<uint8_t> volume = seed;
        const int flips = 1 + int(random() % 8);
        for (int i = 0; i < flips; ++i) {
            // Most flips in the boot sector's fields and the first FAT entries.
            const size_t at = random() % 2 ? random() % 64 : random() % metadata;
            volume[at] = uint8_t(random());
        }
        volume.back() = uint8_t(round);
        ASSERT_TRUE(RunEngineOnVolumeBytes(volume.data(), volume.size())) << "round " << round;
    }
}

INSTANTIATE_TEST_SUITE_P(Volumes, VolumeFuzz,
                         testing::Values(VolumeRecipe{12, 256, 1}, VolumeRecipe{16, 2560, 1}, VolumeRecipe{32, 33792, 1}));

}  // namespace
