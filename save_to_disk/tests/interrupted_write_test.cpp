// The machine stops after the k-th sector write of a run, for every k of a
// fragmented scenario: whatever reached the disk, fsck.fat finds nothing
// worse than lost clusters (or FAT copies that differ while both are intact),
// every other file reads back unchanged, and the save file, where it is still
// listed, holds the bytes it held before the first move.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
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
    // Files and directories made before the layout (beside the save file).
    std::function<void(FatImage&)> furnish = {};
};

// Directories with files and long file names beside the save file in the root.
void FurnishTree(FatImage& image) {
    image.MakeDirectory("SUBDIR");
    image.MakeDirectory("SUBDIR/DEEPER");
    image.AddFile("SUBDIR/A file with a long name.txt", 2);
    image.AddFile("SUBDIR/DEEPER/INNER.DAT", 3);
    image.AddFile("Another long file name beside.dat", 2);
}

class InterruptedMoves : public testing::TestWithParam<Scenario> {};

TEST_P(InterruptedMoves, LeaveNothingWorseThanLostClusters) {
    FatImage image(GetParam().recipe);
    if (GetParam().furnish) GetParam().furnish(image);
    image.Lay(GetParam().layout, GetParam().fillRest);
    const std::string base = image.Path() + ".base";
    // Copies that keep the images' holes: the FAT32 volumes of 4 KiB clusters are 300 MiB, nearly all holes.
    ASSERT_EQ(RunCommand("cp --sparse=always " + image.Path() + " " + base), 0);
    auto restore = [&] { ASSERT_EQ(RunCommand("cp --sparse=always " + base + " " + image.Path()), 0); };

    const uint32_t clusters = GetParam().clusters;
    const EngineRun full = RunEngine(image, clusters);
    ASSERT_TRUE(full.placed);
    ASSERT_GE(full.writes, 6u) << "the data, the new chain in both FATs, the entry, the old chain freed in both";

    // With no write reaching the disk the file stays as created: its bytes are the reference.
    restore();
    RunEngine(image, clusters, [](TestImage& disk) { disk.writeLimit = 0; });
    std::vector<uint8_t> reference;
    ASSERT_TRUE(image.ReadFile(kSaveName, reference));

    // Each stop point twice: the next write cut off whole, and torn (its first sector landed).
    unsigned states = 0;
    for (unsigned k = 0; k <= full.writes; ++k) {
        for (const bool torn : {false, true}) {
            if (torn && k == full.writes) continue;
            SCOPED_TRACE("stopped after write " + std::to_string(k) + (torn ? ", the next one torn" : ""));
            restore();
            const EngineRun run = RunEngine(image, clusters, [k, torn](TestImage& disk) {
                disk.writeLimit = k;
                disk.tearNext = torn;
            });
            EXPECT_EQ(run.placed, k == full.writes);
            std::string report;
            EXPECT_TRUE(image.FsckClean(true, report)) << report;
            EXPECT_TRUE(image.OtherFilesIntact(report)) << report;
            std::vector<uint8_t> saved;
            ASSERT_TRUE(image.ReadFile(kSaveName, saved));
            EXPECT_TRUE(saved == reference);
            ++states;
        }
    }
    RecordProperty("states", int(states));
    std::filesystem::remove(base);
}

INSTANTIATE_TEST_SUITE_P(
    Scenarios, InterruptedMoves,
    testing::Values(Scenario{"Fat16WholeFile", {16, 4096, 1}, {-20, 3, -30, 4, -25, 6}, false, 60},
                    Scenario{"Fat12WholeFile", {12, 1024, 1}, {-20, 3, -30, 4, -25, 6}, false, 60},
                    Scenario{"Fat32WholeFileBehindMbr", {32, 36864, 1, 512, true}, {-20, 3, -30, 4, -25, 6}, false, 60},
                    // Into the free runs of 100 and 80, the second file run split between them.
                    Scenario{"Fat16Fill", {16, 2560, 1}, {-60, 5, -60, 5, -30, 5, -100, 5, -80, 5, -20, 5}, true, 150},
                    // FAT32 with its FSInfo sector and 4 KiB clusters: multi-sector FAT and directory writes.
                    Scenario{"Fat32FourKiBClusters", {32, 307200, 8}, {-20, 3, -30, 4, -25, 6}, false, 60},
                    // A fill with clusters of two sectors: every data and FAT write spans sectors.
                    Scenario{"Fat12FillTwoSectorClusters", {12, 1024, 2},
                             {-60, 5, -60, 5, -30, 5, -100, 5, -80, 5, -20, 5}, true, 150},
                    Scenario{"Fat16FourKiBSectors", {16, 32768, 1, 4096}, {-20, 3, -30, 4, -25, 6}, false, 60},
                    Scenario{"Fat16TreeAndLongNames", {16, 8192, 2}, {-20, 3, -30, 4, -25, 6}, false, 60, FurnishTree},
                    Scenario{"Fat32TreeAndLongNames", {32, 36864, 1}, {-20, 3, -30, 4, -25, 6}, false, 60,
                             FurnishTree}),
    [](const testing::TestParamInfo<Scenario>& info) { return info.param.name; });

}  // namespace
