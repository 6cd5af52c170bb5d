// The root-directory reader and writer over volumes that mkfs.fat builds and
// mtools fills: the save file found with the chain the tests' own reader
// walks, each of its sectors written where its cluster lies (read back by
// mtools, every other file intact, fsck.fat clean), nothing past its chain,
// and a damaged chain refused.
#include <gtest/gtest.h>

#include "save_to_disk/engine/fat/fat_root_file.h"
#include "save_to_disk/image/disk_image.h"
#include "save_to_disk/tests/fat_image.h"

namespace {

constexpr char kSaveFile[11] = {'S', 'A', 'V', 'E', '2', 'D', 'S', 'K', 'B', 'I', 'N'};
constexpr unsigned kDrive = 3;

struct RootCase {
    const char* name;
    VolumeRecipe recipe;
};

void PrintTo(const RootCase& c, std::ostream* os) { *os << c.name; }

class FatRootFile : public testing::TestWithParam<RootCase> {
protected:
    // Other files with holes between them over the whole volume, then the
    // save file in the holes.
    void SetUp() override {
        image_.Lay({2, -3, 1, -2, 3}, true);
        image_.AddFile("SAVE2DSK.BIN", 5);
        chain_ = image_.FileClusters("SAVE2DSK.BIN");
        ASSERT_GT(FatImage::Runs(chain_).size(), 1u) << "the save file should be fragmented";
        ASSERT_TRUE(disk_.Open(image_.Path(), image_.Partition()));
        ASSERT_TRUE(root_.Mount(disk_, kDrive));
    }

    FatImage image_{GetParam().recipe};
    std::vector<uint32_t> chain_;
    DiskImage disk_;
    FatRootVolume root_;
};

TEST_P(FatRootFile, FindsTheFileWithItsChainAndTheVolumesCounts) {
    FatRootFileEntry entry;
    ASSERT_TRUE(root_.Find(kSaveFile, entry));
    EXPECT_EQ(entry.clusters, chain_);
    EXPECT_EQ(entry.size, 5 * image_.BytesPerCluster() - image_.BytesPerCluster() / 2);
    EXPECT_EQ(root_.BytesPerCluster(), image_.BytesPerCluster());
    EXPECT_EQ(root_.DataClusters(), image_.Layout().dataClusters);
    EXPECT_EQ(root_.FreeClusters(), image_.FreeClusters());
    EXPECT_EQ(root_.IsFat32(), GetParam().recipe.fatBits == 32);
}

TEST_P(FatRootFile, WritesEverySectorWhereItsClusterLiesAndNothingPastTheChain) {
    FatRootFileEntry entry;
    ASSERT_TRUE(root_.Find(kSaveFile, entry));
    ASSERT_TRUE(disk_.LockVolume(kDrive, 1, 1) && disk_.LockVolume(kDrive, 2, 0));
    const uint64_t sectors = uint64_t(chain_.size()) * image_.BytesPerCluster() / 512;
    std::vector<uint8_t> written;
    for (uint64_t s = 0; s < sectors; ++s) {
        uint8_t sector[512];
        for (size_t i = 0; i < sizeof sector; ++i) sector[i] = uint8_t(s * 31 + i % 7 + 1);
        ASSERT_TRUE(root_.WriteFileSector(entry, s, sector)) << "sector " << s;
        written.insert(written.end(), sector, sector + sizeof sector);
    }
    const uint8_t past[512] = {0xEE};
    EXPECT_FALSE(root_.WriteFileSector(entry, sectors, past));
    EXPECT_FALSE(root_.WriteFileSector(entry, sectors + 1000, past));
    disk_.UnlockVolume(kDrive);
    disk_.UnlockVolume(kDrive);

    written.resize(entry.size);
    image_.ExpectContent("SAVE2DSK.BIN", written);
    std::string report;
    EXPECT_TRUE(image_.OtherFilesIntact(report)) << report;
    EXPECT_TRUE(image_.FsckClean(false, report)) << report;
}

TEST_P(FatRootFile, WritesNothingWithoutTheVolumeLocks) {
    FatRootFileEntry entry;
    ASSERT_TRUE(root_.Find(kSaveFile, entry));
    const uint8_t sector[512] = {0x11};
    EXPECT_FALSE(root_.WriteFileSector(entry, 0, sector));
    std::string report;
    EXPECT_TRUE(image_.OtherFilesIntact(report)) << report;
}

// A chain the entry's size cannot trust is no file: one that loops, one that
// runs out of the data area, one shorter than the size, and no chain at all.
TEST_P(FatRootFile, RefusesADamagedChain) {
    const uint32_t limit = image_.Layout().dataClusters + 2;
    const struct {
        const char* what;
        uint32_t at;  // index in the chain whose FAT entry is changed
        uint32_t value;
    } damages[] = {
        {"loops", 3, chain_.front()},
        {"leaves the data area", 2, limit},
        {"points at the reserved cluster", 1, 1},
        {"ends before the size", 2, 0x0FFFFFFF},
        {"runs into a free cluster", 0, 0},
    };
    for (const auto& d : damages) {
        const uint32_t saved = image_.FatEntry(chain_[d.at]);
        image_.SetFatEntry(chain_[d.at], d.value);
        FatRootVolume root;
        FatRootFileEntry entry;
        entry.size = 7;
        ASSERT_TRUE(root.Mount(disk_, kDrive));
        EXPECT_FALSE(root.Find(kSaveFile, entry)) << d.what;
        EXPECT_EQ(entry.size, 7u) << d.what;
        image_.SetFatEntry(chain_[d.at], saved);
    }
}

INSTANTIATE_TEST_SUITE_P(Volumes, FatRootFile,
                         testing::Values(RootCase{"Fat12", {12, 256, 1}}, RootCase{"Fat16TwoSectorClusters", {16, 8192, 2}},
                                         RootCase{"Fat32", {32, 33792, 1}},
                                         RootCase{"Fat16Sectors1K", {16, 16384, 2, 1024}},
                                         RootCase{"Fat12BehindMbr", {12, 2048, 1, 512, true}}),
                         [](const testing::TestParamInfo<RootCase>& info) { return std::string(info.param.name); });

// Only a file of the root is the file: not one of a subdirectory, not a
// deleted one, and not a directory of the same name (its clusters hold its
// entries, and a write there would damage them).
TEST(FatRootVolume, FindsOnlyALiveFileOfTheRoot) {
    FatImage image({12, 256, 1});
    image.MakeDirectory("SUB");
    image.AddFile("SUB/INNER.DAT", 1);
    image.AddFile("GONE.BIN", 1);
    image.DeleteFile("GONE.BIN");
    image.MakeDirectory("SAVE2DSK.BIN");
    DiskImage disk;
    ASSERT_TRUE(disk.Open(image.Path(), 0));
    FatRootVolume root;
    ASSERT_TRUE(root.Mount(disk, kDrive));
    const char inner[11] = {'I', 'N', 'N', 'E', 'R', ' ', ' ', ' ', 'D', 'A', 'T'};
    const char gone[11] = {'G', 'O', 'N', 'E', ' ', ' ', ' ', ' ', 'B', 'I', 'N'};
    const char sub[11] = {'S', 'U', 'B', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' '};
    for (const char(*name)[11] : {&inner, &gone, &sub, &kSaveFile}) {
        FatRootFileEntry entry;
        EXPECT_FALSE(root.Find(*name, entry)) << std::string(*name, 11);
    }
}

TEST(FatRootVolume, RefusesAVolumeThatIsNotFat) {
    FatImage image({12, 256, 1});
    image.WriteBytes(11, {0x00, 0x00});  // no bytes per sector
    DiskImage disk;
    ASSERT_TRUE(disk.Open(image.Path(), 0));
    FatRootVolume root;
    FatRootFileEntry entry;
    EXPECT_FALSE(root.Mount(disk, kDrive));
    EXPECT_FALSE(root.Find(kSaveFile, entry));
    EXPECT_EQ(root.FreeClusters(), 0u);
}

}  // namespace
