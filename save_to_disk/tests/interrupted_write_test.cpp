// The machine stops after the k-th sector write of a run, for every k of a
// fragmented scenario: whatever reached the disk, fsck.fat finds nothing
// worse than lost clusters (or FAT copies that differ while both are intact),
// every other file reads back unchanged, and the save file, where it is still
// listed, holds the bytes it held before the first move.
#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "save_to_disk/tests/engine_run.h"
#include "save_to_disk/tests/fat_image.h"

namespace {

const char* kSaveName = "SAVE2DSK.BIN";

struct Scenario {
    const char* name;
    VolumeRecipe recipe;
    std::vector<int> layout;  // as FatImage::Lay takes it
    bool fillRest;
    uint32_t clusters;        // of the save file
};

class InterruptedMoves : public testing::TestWithParam<Scenario> {};

TEST_P(InterruptedMoves, LeaveNothingWorseThanLostClusters) {
    FatImage image(GetParam().recipe);
    image.Lay(GetParam().layout, GetParam().fillRest);
    const std::string base = image.Path() + ".base";
    std::filesystem::copy_file(image.Path(), base);
    auto restore = [&] { std::filesystem::copy_file(base, image.Path(), std::filesystem::copy_options::overwrite_existing); };

    const uint32_t clusters = GetParam().clusters;
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

INSTANTIATE_TEST_SUITE_P(
    Scenarios, InterruptedMoves,
    testing::Values(Scenario{"Fat16WholeFile", {16, 4096, 1}, {-20, 3, -30, 4, -25, 6}, false, 60},
                    Scenario{"Fat12WholeFile", {12, 1024, 1}, {-20, 3, -30, 4, -25, 6}, false, 60},
                    Scenario{"Fat32WholeFileBehindMbr", {32, 36864, 1, 512, true}, {-20, 3, -30, 4, -25, 6}, false, 60},
                    // Into the free runs of 100 and 80, the second file run split between them.
                    Scenario{"Fat16Fill", {16, 2560, 1}, {-60, 5, -60, 5, -30, 5, -100, 5, -80, 5, -20, 5}, true, 150}),
    [](const testing::TestParamInfo<Scenario>& info) { return info.param.name; });

}  // namespace
