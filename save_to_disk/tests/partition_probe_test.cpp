#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "save_to_disk/core/partition_probe.h"
#include "save_to_disk/image/image_partitions.h"

namespace {

void PutEntry(uint8_t (&sector)[512], int index, uint8_t type, uint32_t sectors) {
    uint8_t* e = sector + 446 + index * 16;
    e[4] = type;
    for (int i = 0; i < 4; ++i) e[12 + i] = uint8_t(sectors >> (8 * i));
}

TEST(PartitionProbe, FindsTheFirstSaveToDiskPartitionAndTheCapacity) {
    uint8_t sector[512] = {};
    PutEntry(sector, 0, 0x0C, 4000000);
    PutEntry(sector, 2, 0xA0, 0x01000000 + 262144);  // the count's top byte is not part of the size
    PutEntry(sector, 3, 0xA0, 1000);
    const DriveGeometryRecord geometry = {0x100000400, 12, 255, 63, 512};
    const PartitionProbeResult r = EvaluatePartitionProbe(geometry, sector);
    EXPECT_TRUE(r.found);
    EXPECT_EQ(r.partitionKB, 131072u);
    EXPECT_EQ(r.capacityKB, 1024ull * 255 * 63 / 2) << "low 32 bits of the cylinders";
}

TEST(PartitionProbe, NoSaveToDiskPartition) {
    uint8_t sector[512] = {};
    PutEntry(sector, 0, 0x06, 4000);
    const DriveGeometryRecord geometry = {1000, 12, 16, 63, 512};
    const PartitionProbeResult r = EvaluatePartitionProbe(geometry, sector);
    EXPECT_FALSE(r.found);
    EXPECT_EQ(r.partitionKB, 0u);
    EXPECT_EQ(r.capacityKB, 1000ull * 16 * 63 / 2);
}

// The image binding's drives: the FAT entries of the table in its order, the
// others (the save-to-disk partition among them) left out, none without the
// boot signature.
TEST(ImagePartitions, FatEntriesInTableOrderAreTheDrives) {
    uint8_t sector[512] = {};
    PutEntry(sector, 0, 0x0C, 4000);
    PutEntry(sector, 1, 0xA0, 1000);
    PutEntry(sector, 2, 0x07, 1000);  // NTFS
    PutEntry(sector, 3, 0x01, 100);
    EXPECT_TRUE(FatPartitionsOf(sector).empty()) << "no boot signature";
    sector[510] = 0x55;
    sector[511] = 0xAA;
    EXPECT_EQ(FatPartitionsOf(sector), (std::vector<unsigned>{1, 4}));
    for (uint8_t type : {0x01, 0x04, 0x06, 0x0B, 0x0C, 0x0E}) EXPECT_TRUE(IsFatPartitionType(type)) << int(type);
    for (uint8_t type : {0x00, 0x05, 0x07, 0x0F, 0x83, 0xA0, 0xEE}) EXPECT_FALSE(IsFatPartitionType(type)) << int(type);
}

TEST(ImagePartitions, GeometryOfSixteenHeadsAndSixtyThreeSectors) {
    const DriveGeometryRecord g = ImageDiskGeometry(uint64_t(1000) * 16 * 63 * 512 + 511);
    EXPECT_EQ(g.cylinders, 1000);
    EXPECT_EQ(g.tracksPerCylinder, 16u);
    EXPECT_EQ(g.sectorsPerTrack, 63u);
    EXPECT_EQ(g.bytesPerSector, 512u);
    EXPECT_EQ(g.mediaType, 12u);
    EXPECT_EQ(ImageDiskGeometry(16 * 63 * 512 - 1).cylinders, 0);
}

}  // namespace
