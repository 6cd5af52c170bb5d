#include "save_to_disk/core/partition_probe.h"

#include "save_to_disk/core/partition_table.h"

PartitionProbeResult EvaluatePartitionProbe(const DriveGeometryRecord& geometry, const uint8_t (&firstSector)[512]) {
    PartitionProbeResult result;
    // 512-byte sectors; the product is taken in 64 bits so that a large disk does not wrap.
    result.capacityKB = uint64_t(uint32_t(geometry.cylinders)) * geometry.tracksPerCylinder *
                        geometry.sectorsPerTrack / 2;
    for (unsigned i = 0; i < kPartitionEntries; ++i) {
        const PartitionEntry entry = ReadPartitionEntry(firstSector, i);
        if (entry.type != kSaveToDiskPartitionType) continue;
        result.found = true;
        result.partitionKB = (entry.sectors & 0x00FFFFFF) / 2;
        break;
    }
    return result;
}
