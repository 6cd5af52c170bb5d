#include <gtest/gtest.h>

#include <cstring>

#include "save_to_disk/core/partition_probe.h"

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

}  // namespace
