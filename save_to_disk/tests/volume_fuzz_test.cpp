// Bounded fuzz runs in the test suite (fixed seeds, a few seconds each).
// FAT engine: mkfs.fat volumes with files, their boot sector, FATs and root
// directory bytes mutated at random; the engine must come back every time
// without writing outside the volume or changing a byte of another file.
// Control engine: the answers of its controls bent at random over a
// fragmented volume; it must end every time, within a bounded number of
// controls, and leave the other files as they were.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "save_to_disk/fuzz/volume_fuzz.h"
#include "save_to_disk/tests/fat_image.h"

namespace {

class VolumeFuzz : public testing::TestWithParam<VolumeRecipe> {};

TEST_P(VolumeFuzz, MutatedVolumesNeverEscapeNorTouchOtherFiles) {
    FatImage image(GetParam());
    image.Lay({-5, 2, -7, 3, -4, 2}, false);
    image.MakeDirectory("SUB");
    image.AddFile("SUB/INNER.DAT", 3);
    // The harness takes at most kFuzzMaxVolumeBytes of a volume.
    const std::vector<uint8_t> seed = image.ReadBytes(0, std::min(size_t(GetParam().sizeKiB) * 1024, kFuzzMaxVolumeBytes));
    // Boot sector, FATs and root directory lie in the first 16 KiB of these volumes.
    const size_t metadata = 16 * 1024;
    ASSERT_GE(seed.size(), metadata);
    const size_t fat = size_t(image.Layout().reserved) * image.Layout().bytesPerSector;
    std::mt19937 random(GetParam().fatBits);
    for (int round = 0; round < 120; ++round) {
        std::vector<uint8_t> volume = seed;
        const int flips = 1 + int(random() % 8);
        for (int i = 0; i < flips; ++i) {
            // A third of the flips in the boot sector's fields, a third in the
            // FAT entries of the files (chains run into each other or into
            // free space), the rest anywhere in the metadata.
            const unsigned kind = random() % 3;
            const size_t at = kind == 0 ? random() % 64 : kind == 1 ? fat + random() % 96 : random() % metadata;
            volume[at] = uint8_t(kind == 1 ? random() % 48 : random());
        }
        volume.back() = uint8_t(round);
        const FuzzFinding finding = RunEngineOnVolumeBytes(volume.data(), volume.size());
        ASSERT_FALSE(finding) << "round " << round << ": " << finding.what;
    }
}

INSTANTIATE_TEST_SUITE_P(Volumes, VolumeFuzz,
                         testing::Values(VolumeRecipe{12, 256, 1}, VolumeRecipe{16, 2560, 1}, VolumeRecipe{32, 33792, 1}));

TEST(FsctlFuzz, BentAnswersEndAndTouchNoOtherFile) {
    FatImage image({16, 2560, 1});
    image.Lay({-20, 3, -30, 4, -25, 6, -10, 2}, false);
    std::mt19937 random(15);
    for (int round = 0; round < 300; ++round) {
        std::vector<uint8_t> input(1 + 12 * (1 + random() % 4));
        for (uint8_t& b : input) b = uint8_t(random());
        // Mostly small values in the edited fields (counts and clusters near the
        // real ones), and one edit in two left out.
        for (size_t at = 1; at + 12 <= input.size(); at += 12) {
            if (random() % 2) std::fill(input.begin() + long(at) + 6, input.begin() + long(at) + 12, 0);
            if (random() % 2) input[at] = 0;
        }
        const FuzzFinding finding = RunFsctlEngineOnAnswers({image.Path()}, input.data(), input.size());
        ASSERT_FALSE(finding) << "round " << round << ": " << finding.what;
    }
}

}  // namespace
