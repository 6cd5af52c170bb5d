// The engine's placement cases over FAT volumes built by mkfs.fat and filled
// and fragmented with mtools: the save file's clusters are read back with the
// tests' own FAT reader, fsck.fat must find nothing, every other file must
// read back byte for byte.
#include <gtest/gtest.h>

#include "save_to_disk/engine/placement_messages.h"
#include "save_to_disk/tests/engine_run.h"
#include "save_to_disk/tests/fat_image.h"

namespace {

using Runs = std::vector<std::pair<uint32_t, uint32_t>>;

const char* kSaveName = "SAVE2DSK.BIN";

void ExpectVolumeSound(const FatImage& image) {
    std::string report;
    EXPECT_TRUE(image.FsckClean(false, report)) << report;
    EXPECT_TRUE(image.OtherFilesIntact(report)) << report;
}

Runs SaveFileRuns(const FatImage& image) { return FatImage::Runs(image.FileClusters(kSaveName)); }

size_t Count(const std::string& text, const std::string& piece) {
    size_t n = 0;
    for (size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1)) ++n;
    return n;
}

TEST(FatPlacement, FileAlreadyInOneRunIsLeftAlone) {
    FatImage image({16, 4096, 1});
    image.Lay({30, 20}, false);
    const EngineRun run = RunEngine(image, 100);
    EXPECT_TRUE(run.placed);
    EXPECT_EQ(run.writes, 0u);
    EXPECT_EQ(run.host.output, "\nProcessing C:\\SAVE2DSK.BIN:\nC:\\SAVE2DSK.BIN was optimized to 1 fragment.\n");
    EXPECT_EQ(SaveFileRuns(image).size(), 1u);
    ExpectVolumeSound(image);
}

TEST(FatPlacement, TargetIsTheLowestRunThatHoldsTheWholeFile) {
    FatImage image({16, 8192, 1});
    // The file is created into the holes of 400 and 500; free runs of 50, 300,
    // exactly 900 and the long rest of the volume remain.
    const auto laid = image.Lay({100, -400, 10, -500, 10, -50, 10, -300, 10, -900, 10}, false);
    const EngineRun run = RunEngine(image, 900);
    EXPECT_TRUE(run.placed);
    EXPECT_TRUE(run.host.messages.empty());
    EXPECT_EQ(SaveFileRuns(image), (Runs{{laid[9].front(), 900}}));
    EXPECT_NE(run.host.output.find("was optimized to 1 fragment.\n"), std::string::npos);
    ExpectVolumeSound(image);
}

TEST(FatPlacement, FileFillsTheLongestRunsWhenNoneHoldsItWhole) {
    FatImage image({16, 4096, 1});
    // A 150-cluster file in fragments of 60, 60 and 30; free runs of 100, 80
    // and 20 only. The second fragment is split between the runs of 100 and 80.
    const auto laid = image.Lay({-60, 5, -60, 5, -30, 5, -100, 5, -80, 5, -20, 5}, true);
    const EngineRun run = RunEngine(image, 150);
    EXPECT_TRUE(run.placed);
    EXPECT_TRUE(run.host.messages.empty());
    EXPECT_EQ(SaveFileRuns(image), (Runs{{laid[6].front(), 100}, {laid[8].front(), 50}}));
    EXPECT_EQ(run.host.output, "\nProcessing C:\\SAVE2DSK.BIN:\nC:\\SAVE2DSK.BIN was optimized to 2 fragments.\n");
    ExpectVolumeSound(image);
}

TEST(FatPlacement, FileIsDeletedWhenEveryFreeRunWouldBeNeeded) {
    FatImage image({16, 4096, 1});
    image.Lay({-50, 5, -50, 5, -50, 5, -100, 5, -80, 5}, true);
    const EngineRun run = RunEngine(image, 150);
    EXPECT_FALSE(run.placed);
    EXPECT_EQ(run.host.messages, std::vector<unsigned>{kMsgNoSpaceToDefragment});
    EXPECT_EQ(run.writes, 0u);
    EXPECT_FALSE(image.HasFile(kSaveName));
    ExpectVolumeSound(image);
}

TEST(FatPlacement, Fat12EntriesThatStraddleFatSectorsAreWrittenWhole) {
    // The FAT12 entries of clusters 341 and 682 straddle sector boundaries of
    // the FAT; the file's fragments hold the first and its new run the second.
    FatImage image({12, 2048, 1});
    ASSERT_EQ(image.Layout().fatBits, 12u);
    const auto laid = image.Lay({300, -100, 50, -100, 20}, false);
    ASSERT_LE(laid[1].front(), 341u);
    ASSERT_GE(laid[1].back(), 341u);
    const EngineRun run = RunEngine(image, 200);
    EXPECT_TRUE(run.placed);
    const Runs runs = SaveFileRuns(image);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_LE(runs[0].first, 682u);
    EXPECT_GE(runs[0].first + runs[0].second, 683u);
    ExpectVolumeSound(image);
}

TEST(FatPlacement, Fat16FileOf30000ClustersIsMovedWhole) {
    // 30,000 clusters of 512 bytes, nearly half the largest FAT16 volume: the
    // move's FAT entries span most of two 128-sector transfers. (The FAT-level
    // test writes a 40,000-entry run, which no FAT16 move can have.)
    FatImage image({16, 32768, 1});
    image.Lay({-15000, 100, -15000, 10}, false);
    const EngineRun run = RunEngine(image, 30000);
    EXPECT_TRUE(run.placed);
    const Runs runs = SaveFileRuns(image);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].second, 30000u);
    ExpectVolumeSound(image);
}

// Runs a short gap apart are read in one transfer, gaps and all, and packed
// together before the write; a transfer ends where the write step is full,
// where the buffer has no room for the next gap and run (here in the middle
// of the long run), and at a gap too long to read through. Whatever the cuts,
// the file's bytes land in their order.
TEST(FatPlacement, RunsReadThroughShortGapsKeepTheirBytesInOrder) {
    FatImage image({16, 16384, 1});
    std::vector<int> layout;
    for (int i = 0; i < 30; ++i) layout.insert(layout.end(), {-10, 100});  // gaps of 50 KiB
    layout.insert(layout.end(), {-3000, 200});                              // a gap of 100 KiB
    for (int i = 0; i < 10; ++i) layout.insert(layout.end(), {-10, 1});
    const auto laid = image.Lay(layout, false);
    // The file is created into the holes in order: their old bytes are its bytes.
    std::vector<uint8_t> before;
    for (size_t entry = 0; entry < laid.size(); entry += 2)
        for (uint32_t c : laid[entry]) {
            const std::vector<uint8_t> cluster = image.ReadCluster(c);
            before.insert(before.end(), cluster.begin(), cluster.end());
        }
    const EngineRun run = RunEngine(image, 3400);
    EXPECT_TRUE(run.placed);
    ASSERT_EQ(SaveFileRuns(image).size(), 1u);
    std::vector<uint8_t> after;
    ASSERT_TRUE(image.ReadFile(kSaveName, after));
    EXPECT_TRUE(after == before);
    ExpectVolumeSound(image);
}

struct VolumeCase {
    const char* name;
    VolumeRecipe recipe;
};

class FatPlacementVolumes : public testing::TestWithParam<VolumeCase> {};

TEST_P(FatPlacementVolumes, FragmentedFileEndsInOneRun) {
    FatImage image(GetParam().recipe);
    image.MakeDirectory("SUB");
    image.AddFile("SUB/INNER.DAT", 7);
    image.Lay({-20, 3, -30, 4, -25, 6}, false);
    image.AddFile("SUB/LATE.DAT", 5);
    const EngineRun run = RunEngine(image, 60);
    EXPECT_TRUE(run.placed);
    EXPECT_TRUE(run.host.messages.empty());
    const Runs runs = SaveFileRuns(image);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].second, 60u);
    ExpectVolumeSound(image);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, FatPlacementVolumes,
    testing::Values(VolumeCase{"Fat12Clusters1K", {12, 1024, 2}},
                    VolumeCase{"Fat16Clusters2K", {16, 16384, 4}},
                    VolumeCase{"Fat16Sectors1K", {16, 16384, 2, 1024}},
                    VolumeCase{"Fat16BehindMbr", {16, 4096, 1, 512, true}},
                    VolumeCase{"Fat32BehindMbr", {32, 36864, 1, 512, true}},
                    VolumeCase{"Fat32Bare", {32, 36864, 1}}),
    [](const testing::TestParamInfo<VolumeCase>& info) { return info.param.name; });

TEST(FatPlacement, VolumeChangedBySomeoneElseIsScannedAgain) {
    FatImage image({16, 4096, 1});
    image.Lay({-20, 3, -30, 4}, false);
    const EngineRun run = RunEngine(image, 50, [](TestImage& disk) { disk.SetLockFlagState(1, 2); });
    EXPECT_TRUE(run.placed);
    EXPECT_EQ(Count(run.host.output, "Disk changed. Reprocessing...\n"), 2u);
    EXPECT_EQ(SaveFileRuns(image).size(), 1u);
    ExpectVolumeSound(image);
}

TEST(FatPlacement, VolumeThatKeepsChangingEndsInFailure) {
    FatImage image({16, 4096, 1});
    image.Lay({-20, 3, -30, 4}, false);
    const EngineRun run = RunEngine(image, 50, [](TestImage& disk) { disk.SetLockFlagState(1, ~0u); });
    EXPECT_FALSE(run.placed);
    EXPECT_EQ(Count(run.host.output, "Disk changed. Reprocessing...\n"), FatPlacementEngine::kMaxRescans + 1);
    EXPECT_EQ(run.host.messages, std::vector<unsigned>{kMsgMoveFailed});
    EXPECT_FALSE(image.HasFile(kSaveName));
    ExpectVolumeSound(image);
}

TEST(MakeContiguousTool, PlacesTheFileAndReportsFailure) {
    FatImage image({16, 4096, 1, 512, true});
    image.Lay({-20, 3, -30, 4}, false);
    const std::string tool = MAKE_CONTIGUOUS;
    std::string out;
    EXPECT_EQ(RunCommand(tool + " " + image.Path() + " '\\SAVE2DSK.BIN' 25600 --partition 1 --engine fat", &out), 0)
        << out;
    EXPECT_NE(out.find("C:\\SAVE2DSK.BIN was optimized to 1 fragment."), std::string::npos) << out;
    EXPECT_EQ(SaveFileRuns(image).size(), 1u);
    ExpectVolumeSound(image);

    EXPECT_EQ(RunCommand(tool + " " + image.Path() + " '\\HUGE.BIN' 999999999 --partition 1", &out), 1);
    EXPECT_NE(out.find("Error: Failed to write to SAVE2DSK.BIN."), std::string::npos) << out;
    EXPECT_EQ(RunCommand(tool + " " + image.Path() + " '\\X.BIN' 100 --engine other", &out), 2);
}

}  // namespace
