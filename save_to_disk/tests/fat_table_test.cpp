// FAT entry writes at the edges of a 128-sector transfer: a FAT12 entry that
// straddles two FAT sectors, and a 40,000-entry run on FAT16 with 512-byte
// sectors that needs two transfers. Checked with the tests' own reader and fsck.fat.
#include <gtest/gtest.h>

#include "save_to_disk/engine/fat/fat_table.h"
#include "save_to_disk/tests/engine_run.h"
#include "save_to_disk/tests/fat_image.h"

namespace {

constexpr unsigned kDrive = 3;

struct LockedTable {
    explicit LockedTable(FatImage& image) {
        EXPECT_TRUE(disk.Open(image.Path(), image.Partition()));
        std::vector<uint8_t> boot(512);
        EXPECT_TRUE(disk.ReadSectors(kDrive, 0, 1, boot.data()));
        EXPECT_TRUE(ParseFatBootSector(boot.data(), image.Layout().fatBits == 32, geometry));
        EXPECT_TRUE(disk.LockVolume(kDrive, 1, 1));
        EXPECT_TRUE(disk.LockVolume(kDrive, 2, 0));
        table = std::make_unique<FatTable>(disk, kDrive, geometry);
        EXPECT_TRUE(table->Load());
    }
    TestImage disk;
    FatGeometry geometry;
    std::unique_ptr<FatTable> table;
};

TEST(FatTable, Fat12EntryAcrossASectorBoundaryWritesBothSectorsOfEveryCopy) {
    FatImage image({12, 2048, 1});
    LockedTable fat(image);
    const VolumeLayout& l = image.Layout();
    // Entry 341 lies in bytes 511 and 512 of the FAT.
    ASSERT_TRUE(fat.table->WriteFatEntries(340, 3, FatTable::kEndOfChain));
    const std::vector<std::pair<uint32_t, uint32_t>> expected = {{l.reserved, 2}, {l.reserved + l.sectorsPerFat, 2}};
    EXPECT_EQ(fat.disk.writeLog, expected);
    EXPECT_EQ(image.FatEntry(340), 341u);
    EXPECT_EQ(image.FatEntry(341), 342u);
    EXPECT_EQ(image.FatEntry(342), 0xFFFu);
    EXPECT_EQ(image.FatEntry(339), 0u);
    EXPECT_EQ(image.FatEntry(343), 0u);
    int64_t entry;
    ASSERT_TRUE(fat.table->Load());
    ASSERT_TRUE(fat.table->ReadFatEntry(341, entry));
    EXPECT_EQ(entry, 342);
    ASSERT_TRUE(fat.table->FreeFatEntries(340, 3));
    EXPECT_EQ(image.FreeClusters(), l.dataClusters) << "every cluster free again";
}

TEST(FatTable, Fat16RunOf40000EntriesIsWrittenInTwoTransfers) {
    FatImage image({16, 32768, 1});
    LockedTable fat(image);
    const VolumeLayout& l = image.Layout();
    ASSERT_GT(l.dataClusters, 40100u);
    ASSERT_TRUE(fat.table->WriteFatEntries(100, 40000, FatTable::kEndOfChain));
    EXPECT_EQ(fat.disk.writeLog.size(), 4u) << "two transfers, each to both FAT copies";
    for (uint32_t c = 100; c < 40099; c += 997) ASSERT_EQ(image.FatEntry(c), c + 1);
    EXPECT_EQ(image.FatEntry(40098), 40099u);
    EXPECT_EQ(image.FatEntry(40099), 0xFFFFu);
    EXPECT_EQ(image.FatEntry(40100), 0u);
    std::string report;
    EXPECT_FALSE(image.FsckClean(false, report)) << "40,000 lost clusters";
    EXPECT_TRUE(image.FsckClean(true, report)) << report;

    fat.disk.writeLog.clear();
    ASSERT_TRUE(fat.table->FreeFatEntries(100, 40000));
    EXPECT_EQ(fat.disk.writeLog.size(), 4u);
    EXPECT_TRUE(image.FsckClean(false, report)) << report;
}

}  // namespace
