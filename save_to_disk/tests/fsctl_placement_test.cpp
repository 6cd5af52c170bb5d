// The file-system-control engine over FAT volumes built by mkfs.fat and
// fragmented with mtools, the image answering the controls as a file system
// does and moving clusters in its FAT for real: the save file's clusters are
// read back with the tests' own FAT reader, fsck.fat must find nothing (or,
// where another writer took clusters, nothing worse than lost clusters),
// every other file must read back byte for byte.
#include <gtest/gtest.h>

#include <cstring>

#include "save_to_disk/engine/placement_messages.h"
#include "save_to_disk/tests/engine_run.h"
#include "save_to_disk/tests/fat_image.h"

namespace {

using Runs = std::vector<std::pair<uint32_t, uint32_t>>;

const char* kSaveName = "SAVE2DSK.BIN";
constexpr int64_t kFarAway = int64_t(1) << 40;  // an MFT zone beyond any test volume

void ExpectVolumeSound(const FatImage& image, bool allowLost = false) {
    std::string report;
    EXPECT_TRUE(image.FsckClean(allowLost, report)) << report;
    EXPECT_TRUE(image.OtherFilesIntact(report)) << report;
}

Runs SaveFileRuns(const FatImage& image) { return FatImage::Runs(image.FileClusters(kSaveName)); }

EngineRun RunFsctl(FatImage& image, uint32_t clusters, const std::function<void(TestImage&)>& prepare = {}) {
    return RunEngine<FsctlPlacementEngine>(image, clusters, prepare);
}

struct VolumeCase {
    const char* name;
    VolumeRecipe recipe;
    bool ntfs;
    uint32_t extentsPerAnswer;
};

class FsctlPlacementVolumes : public testing::TestWithParam<VolumeCase> {};

TEST_P(FsctlPlacementVolumes, FragmentedFileEndsInOneRun) {
    const VolumeCase& c = GetParam();
    FatImage image(c.recipe);
    image.MakeDirectory("SUB");
    image.AddFile("SUB/INNER.DAT", 7);
    image.Lay({-20, 3, -30, 4, -25, 6}, false);
    image.AddFile("SUB/LATE.DAT", 5);
    const EngineRun run = RunFsctl(image, 75, [&](TestImage& disk) {
        if (c.ntfs) disk.SetNtfsVolumeData(kFarAway, kFarAway);
        disk.SetExtentsPerAnswer(c.extentsPerAnswer);
    });
    EXPECT_TRUE(run.placed);
    EXPECT_TRUE(run.host.messages.empty());
    EXPECT_EQ(run.host.output, "\nProcessing C:\\SAVE2DSK.BIN:\nC:\\SAVE2DSK.BIN was optimized to 1 fragment.\n");
    const Runs runs = SaveFileRuns(image);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].second, 75u);
    ExpectVolumeSound(image);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, FsctlPlacementVolumes,
    testing::Values(VolumeCase{"Fat16", {16, 4096, 1}, false, ~0u},
                    VolumeCase{"Fat16ExtentsInPagesOfOne", {16, 4096, 1}, false, 1},
                    VolumeCase{"Fat32BehindMbr", {32, 36864, 1, 512, true}, false, 2},
                    VolumeCase{"Fat16AsNtfs", {16, 4096, 1}, true, ~0u},
                    VolumeCase{"Fat32AsNtfs", {32, 36864, 1}, true, ~0u}),
    [](const testing::TestParamInfo<VolumeCase>& info) { return info.param.name; });

TEST(FsctlPlacement, FileAlreadyInOneRunIsNotMoved) {
    FatImage image({16, 4096, 1});
    image.Lay({30, 20}, false);
    const EngineRun run = RunFsctl(image, 100);
    EXPECT_TRUE(run.placed);
    EXPECT_TRUE(run.moves.empty());
    EXPECT_EQ(run.host.output, "\nProcessing C:\\SAVE2DSK.BIN:\nC:\\SAVE2DSK.BIN was optimized to 1 fragment.\n");
    ExpectVolumeSound(image);
}

TEST(FsctlPlacement, NtfsMovesWith4KiBClustersGoInSteps) {
    // 100 clusters of 4 KiB moved from virtual cluster 0: 64 up to the first
    // 256 KiB boundary, then 36, each a real move of the image.
    FatImage image({16, 16384, 8});
    image.Lay({-60, 3, -40, 4}, false);
    const EngineRun run = RunFsctl(image, 100, [](TestImage& disk) { disk.SetNtfsVolumeData(kFarAway, kFarAway); });
    EXPECT_TRUE(run.placed);
    ASSERT_EQ(run.moves.size(), 2u);
    EXPECT_EQ(run.moves[0].startingVcn, 0);
    EXPECT_EQ(run.moves[0].clusterCount, 64u);
    EXPECT_EQ(run.moves[1].startingVcn, 64);
    EXPECT_EQ(run.moves[1].startingLcn, run.moves[0].startingLcn + 64);
    EXPECT_EQ(run.moves[1].clusterCount, 36u);
    EXPECT_EQ(SaveFileRuns(image).size(), 1u);
    ExpectVolumeSound(image);
}

TEST(FsctlPlacement, NtfsTargetAvoidsTheMftZone) {
    // Free runs after the save file is made: 6 clusters at LCN 69, 111 at
    // 1990 (1990-2100) and the rest of the volume after 2111. The zone 992-2000
    // leaves 2001-2100, the smallest run that holds the file.
    FatImage image({16, 4096, 1});
    const auto laid = image.Lay({-30, 5, -40, 1915, -111, 10}, false);
    ASSERT_EQ(laid[4].front(), 1990u + 2);
    const EngineRun run = RunFsctl(image, 64, [](TestImage& disk) { disk.SetNtfsVolumeData(1007, 1999); });
    EXPECT_TRUE(run.placed);
    EXPECT_EQ(SaveFileRuns(image), (Runs{{2001 + 2, 64}}));
    ExpectVolumeSound(image);
}

TEST(FsctlPlacement, NtfsFileOf32ClustersTakesTheCountPathWhenTheLongestRunIs40) {
    // R = 48 > 40: no whole-file target; the count takes the run of 40 (K = 1,
    // below F = 2) and the file is moved there, not into the run of 35.
    FatImage image({16, 4096, 1});
    const auto laid = image.Lay({-20, 5, -12, 5, -40, 5, -35, 5}, true);
    const EngineRun run = RunFsctl(image, 32, [](TestImage& disk) { disk.SetNtfsVolumeData(kFarAway, kFarAway); });
    EXPECT_TRUE(run.placed);
    EXPECT_EQ(SaveFileRuns(image), (Runs{{laid[4].front(), 32}}));
    ExpectVolumeSound(image);

    // The same volume outside NTFS mode: the smallest run that holds 32.
    FatImage plain({16, 4096, 1});
    const auto laidPlain = plain.Lay({-20, 5, -12, 5, -40, 5, -35, 5}, true);
    EXPECT_TRUE(RunFsctl(plain, 32).placed);
    EXPECT_EQ(SaveFileRuns(plain), (Runs{{laidPlain[6].front(), 32}}));
}

TEST(FsctlPlacement, FileFillsTheLongestRunsWhenNoneHoldsItWhole) {
    FatImage image({16, 4096, 1});
    const auto laid = image.Lay({-60, 5, -60, 5, -30, 5, -100, 5, -80, 5, -20, 5}, true);
    const EngineRun run = RunFsctl(image, 150);
    EXPECT_TRUE(run.placed);
    EXPECT_EQ(SaveFileRuns(image), (Runs{{laid[6].front(), 100}, {laid[8].front(), 50}}));
    EXPECT_EQ(run.host.output, "\nProcessing C:\\SAVE2DSK.BIN:\nC:\\SAVE2DSK.BIN was optimized to 2 fragments.\n");
    ExpectVolumeSound(image);
}

TEST(FsctlPlacement, FileIsDeletedWhenEveryFreeRunWouldBeNeeded) {
    FatImage image({16, 4096, 1});
    image.Lay({-50, 5, -50, 5, -50, 5, -100, 5, -80, 5}, true);
    const EngineRun run = RunFsctl(image, 150);
    EXPECT_FALSE(run.placed);
    EXPECT_EQ(run.host.messages, std::vector<unsigned>{kMsgNoSpaceToDefragment});
    EXPECT_TRUE(run.moves.empty());
    EXPECT_FALSE(image.HasFile(kSaveName));
    ExpectVolumeSound(image);
}

TEST(FsctlPlacement, TargetTakenMeanwhileLeadsToANewScan) {
    FatImage image({16, 4096, 1});
    image.Lay({-20, 3, -30, 4}, false);
    const EngineRun run = RunFsctl(image, 50, [](TestImage& disk) { disk.SetMoveRace(1); });
    EXPECT_TRUE(run.placed);
    EXPECT_TRUE(run.host.messages.empty());
    ASSERT_EQ(run.moves.size(), 2u);
    EXPECT_EQ(run.moves[1].startingLcn, run.moves[0].startingLcn + 1) << "the taken cluster is passed by";
    EXPECT_EQ(run.flushes, 1u);
    EXPECT_EQ(SaveFileRuns(image).size(), 1u);
    ExpectVolumeSound(image, true);  // the other writer's cluster is lost to fsck
}

TEST(FsctlPlacement, EndlessRaceEndsAtTheBound) {
    FatImage image({16, 4096, 1});
    image.Lay({-20, 3, -30, 4}, false);
    const EngineRun run = RunFsctl(image, 50, [](TestImage& disk) { disk.SetMoveRace(~0u); });
    EXPECT_FALSE(run.placed);
    EXPECT_EQ(run.moves.size(), FsctlPlacementEngine::kMaxPasses);
    EXPECT_EQ(run.host.messages, std::vector<unsigned>{kMsgMoveFailed});
    EXPECT_FALSE(image.HasFile(kSaveName));
    ExpectVolumeSound(image, true);
}

TEST(FsctlPlacement, MoveThatAnswersSuccessButMovesPartIsDoneAgain) {
    FatImage image({16, 4096, 1});
    image.Lay({-20, 3, -30, 4}, false);
    const EngineRun run = RunFsctl(image, 50, [](TestImage& disk) { disk.SetPartialMoves(1); });
    EXPECT_TRUE(run.placed);
    EXPECT_EQ(run.moves.size(), 2u);
    EXPECT_EQ(run.host.output, "\nProcessing C:\\SAVE2DSK.BIN:\nC:\\SAVE2DSK.BIN was optimized to 1 fragment.\n");
    const Runs runs = SaveFileRuns(image);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].second, 50u);
    ExpectVolumeSound(image);
}

TEST(FsctlPlacement, FreeRunAcrossTwoBitmapAnswersOfTheRealSizeIsOneRun) {
    // A FAT32 volume of more than 524288 clusters: its bitmap comes in two
    // answers. Two clusters taken by another writer leave a free run of 100
    // at LCN 524248-524347, across the boundary; it is the smallest run that
    // holds the 50-cluster file (its two halves, 40 and 60, would not both be).
    FatImage image({32, 307200, 1});
    ASSERT_GT(image.Layout().dataClusters, 524288u + 1000);
    image.Lay({-20, 3, -30, 4}, false);
    image.SetFatEntry(524247 + 2, 0x0FFFFFFF);
    image.SetFatEntry(524348 + 2, 0x0FFFFFFF);
    const EngineRun run = RunFsctl(image, 50);
    EXPECT_TRUE(run.placed);
    EXPECT_EQ(SaveFileRuns(image), (Runs{{524248 + 2, 50}}));
    ExpectVolumeSound(image, true);
}

// The image's answers bent after the fact, as a faulty file system might give them.
class BentAnswers : public TestImage {
public:
    uint32_t FsControl(FsControlTarget target, uint32_t code, const void* input, uint32_t inputSize, void* output,
                       uint32_t outputSize, uint32_t& returned, bool& waited) override {
        uint32_t status = TestImage::FsControl(target, code, input, inputSize, output, outputSize, returned, waited);
        if (code == bentCode && bend) status = bend(static_cast<uint8_t*>(output), status, returned);
        return status;
    }
    uint32_t bentCode = 0;
    std::function<uint32_t(uint8_t*, uint32_t, uint32_t&)> bend;
};

struct BentCase {
    const char* name;
    uint32_t code;
    std::function<uint32_t(uint8_t*, uint32_t, uint32_t&)> bend;
    const char* output;  // what the engine writes before the status name
};

TEST(FsctlPlacement, AnswersThatDoNotHoldTogetherFailTheFile) {
    const BentCase cases[] = {
        {"more extents than the answer holds", kFsctlGetRetrievalPointers,
         [](uint8_t* out, uint32_t status, uint32_t&) {
             RetrievalPointersHeader header;
             std::memcpy(&header, out, sizeof header);
             header.extentCount = 9000;
             std::memcpy(out, &header, sizeof header);
             return status;
         },
         "Scanning file: "},
        {"extents that do not advance", kFsctlGetRetrievalPointers,
         [](uint8_t* out, uint32_t status, uint32_t&) {
             RetrievalExtent extent{0, 5};
             std::memcpy(out + sizeof(RetrievalPointersHeader), &extent, sizeof extent);
             return status;
         },
         "Scanning file: "},
        {"more data without any", kFsctlGetVolumeBitmap,
         [](uint8_t*, uint32_t, uint32_t& returned) {
             returned = sizeof(VolumeBitmapHeader);
             return uint32_t(kStatusBufferOverflow);
         },
         "\nScanning Disk: "},
        // Each answer repeats the first page and says there is more: asked
        // again from where it ended, it ends there again.
        {"extent pages that do not advance", kFsctlGetRetrievalPointers,
         [](uint8_t* out, uint32_t, uint32_t& returned) {
             const RetrievalPointersHeader header{1, 0, 0};
             const RetrievalExtent extent{2, 5};
             std::memcpy(out, &header, sizeof header);
             std::memcpy(out + sizeof header, &extent, sizeof extent);
             returned = sizeof header + sizeof extent;
             return uint32_t(kStatusBufferOverflow);
         },
         "Scanning file: "},
        {"bitmap pages that do not advance", kFsctlGetVolumeBitmap,
         [](uint8_t* out, uint32_t, uint32_t& returned) {
             const VolumeBitmapHeader header{0, 1 << 20};
             std::memcpy(out, &header, sizeof header);
             std::memset(out + sizeof header, 0xFF, 8);
             returned = sizeof header + 8;
             return uint32_t(kStatusBufferOverflow);
         },
         "\nScanning Disk: "},
        {"a bitmap that starts after the cluster asked for", kFsctlGetVolumeBitmap,
         [](uint8_t* out, uint32_t status, uint32_t&) {
             const int64_t start = 64;
             std::memcpy(out, &start, sizeof start);
             return status;
         },
         "\nScanning Disk: "},
    };
    for (const BentCase& c : cases) {
        SCOPED_TRACE(c.name);
        FatImage image({16, 4096, 1});
        image.Lay({-20, 3, -30, 4}, false);
        RecordingHost host;
        BentAnswers disk;
        ASSERT_TRUE(disk.Open(image.Path(), image.Partition()));
        disk.bentCode = c.code;
        disk.bend = c.bend;
        FsctlPlacementEngine engine(disk, host);
        EXPECT_FALSE(engine.MakeContiguous('C', kSavePath, 50 * image.BytesPerCluster()));
        EXPECT_EQ(host.messages, std::vector<unsigned>{kMsgStatusOther});
        EXPECT_NE(host.output.find(c.output), std::string::npos) << host.output;
        EXPECT_TRUE(disk.moves.empty());
        EXPECT_FALSE(image.HasFile(kSaveName));
        ExpectVolumeSound(image);
    }
}

// MFT zone values that cannot be a zone (negative, reversed, or so large that
// rounding them would overflow) are not used: the file is placed as on a
// volume without a zone.
TEST(FsctlPlacement, MftZoneOutOfRangeIsNotUsed) {
    const std::pair<int64_t, int64_t> zones[] = {
        {INT64_MAX - 3, INT64_MAX}, {-1000, -1}, {-8, 4000}, {3000, 1000}, {INT64_MIN, INT64_MIN + 5}};
    for (const auto& [start, end] : zones) {
        SCOPED_TRACE(std::to_string(start) + ".." + std::to_string(end));
        FatImage image({16, 4096, 1});
        const auto laid = image.Lay({-20, 3, -70, 4}, false);
        const EngineRun run = RunFsctl(image, 48, [&](TestImage& disk) { disk.SetNtfsVolumeData(start, end); });
        EXPECT_TRUE(run.placed);
        // The save file takes the hole of 20 and part of the hole of 70; the
        // free space after the last file is the only run that holds it.
        EXPECT_EQ(SaveFileRuns(image), (Runs{{laid[3].back() + 1, 48}}));
        ExpectVolumeSound(image);
    }
}

TEST(MakeContiguousTool, RunsTheFsctlEngine) {
    FatImage image({32, 36864, 1, 512, true});
    image.Lay({-20, 3, -30, 4}, false);
    std::string out;
    EXPECT_EQ(RunCommand(std::string(MAKE_CONTIGUOUS) + " " + image.Path() +
                             " '\\SAVE2DSK.BIN' 25600 --partition 1 --engine fsctl",
                         &out),
              0)
        << out;
    EXPECT_NE(out.find("C:\\SAVE2DSK.BIN was optimized to 1 fragment."), std::string::npos) << out;
    EXPECT_EQ(SaveFileRuns(image).size(), 1u);
    ExpectVolumeSound(image);
}

}  // namespace
