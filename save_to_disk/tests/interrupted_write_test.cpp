// The machine stops after the k-th sector write of a run, for every k of a
// fragmented scenario: whatever reached the disk, fsck.fat finds nothing
// worse than lost clusters (or FAT copies that differ while both are intact),
// every other file reads back unchanged, and the save file, where it is still
// listed, holds the bytes it held before the first move.
#include <gtest/gtest.h>

#include <filesystem>

#include "save_to_disk/tests/engine_run.h"
#include "save_to_disk/tests/fat_image.h"

namespace {

const char* kSaveName = "SAVE2DSK.BIN";

class InterruptedMoves : public testing::TestWithParam<VolumeSpec> {};

TEST_P(InterruptedMoves, LeaveNothingWorseThanLostClusters) {
    FatImage image(GetParam());
    image.Lay({-20, 3, -30, 4, -25, 6}, false);
    const std::string base = image.Path() + ".base";
    std::filesystem::copy_file(image.Path(), base);
    auto restore = [&] { std::filesystem::copy_file(base, image.Path(), std::filesystem::copy_options::overwrite_existing); };

    const uint32_t clusters = 60;
    const EngineRun full = RunEngine(image, clusters);
    ASSERT_TRUE(full.placed);
    ASSERT_GT(full.writes, 6u);

    // With no write reaching the disk the file stays as created: its bytes are the reference.
    restore();
    RunEngine(image, clusters, [](TestImage& disk) { disk.writeLimit = 0; });
    std::vector<uint8_t> reference;
    ASSERT_TRUE(image.ReadFile(kSaveName, reference));

    for (unsigned k = 0; k <= full.writes; ++k) {
        SCOPED_TRACE("stopped after write " + std::to_string(k));
        restore();
        const EngineRun run = RunEngine(image, clusters, [k](TestImage& disk) { disk.writeLimit = k; });
        EXPECT_EQ(run.placed, k == full.writes);
        std::string report;
        EXPECT_TRUE(image.FsckClean(true, report)) << report;
        EXPECT_TRUE(image.OtherFilesIntact(report)) << report;
        std::vector<uint8_t> saved;
        ASSERT_TRUE(image.ReadFile(kSaveName, saved));
        EXPECT_TRUE(saved == reference);
    }
    std::filesystem::remove(base);
}

INSTANTIATE_TEST_SUITE_P(Volumes, InterruptedMoves,
                         testing::Values(VolumeSpec{16, 4096, 1}, VolumeSpec{12, 1024, 1},
                                         VolumeSpec{32, 36864, 1, 512, true}));

}  // namespace
