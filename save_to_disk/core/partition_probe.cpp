#include "save_to_disk/core/partition_probe.h"

#include "common/core/little_endian.h"

namespace {

constexpr uint32_t kPartitionTable = 446;
constexpr uint32_t kPartitionEntries = 4;
constexpr uint32_t kPartitionEntrySize = 16;

}  // namespace

PartitionProbeResult EvaluatePartitionProbe(const DriveGeometryRecord& geometry, const uint8_t (&firstSector)[512]) {
    PartitionProbeResult result;
    // 512-byte sectors; the product is taken in 64 bits so that a large disk does not wrap.
    result.capacityKB = uint64_t(uint32_t(geometry.cylinders)) * geometry.tracksPerCylinder *
                        geometry.sectorsPerTrack / 2;
    for (uint32_t i = 0; i < kPartitionEntries; ++i) {
        const uint8_t* entry = firstSector + kPartitionTable + i * kPartitionEntrySize;
        if (entry[4] != kSaveToDiskPartitionType) continue;
        result.found = true;
        result.partitionKB = (ReadLe32(entry + 12) & 0x00FFFFFF) / 2;
        break;
    }
    return result;
}
