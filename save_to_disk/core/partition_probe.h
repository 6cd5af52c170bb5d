// The look at the first hard disk that sorvault makes at start: its capacity
// from the drive geometry, and the save-to-disk partition (type 0xA0) in the
// partition table of its first sector.
#pragma once

#include <cstdint>

#include "save_to_disk/core/disk_requests.h"

constexpr uint8_t kSaveToDiskPartitionType = 0xA0;

struct PartitionProbeResult {
    bool found = false;           // a save-to-disk partition is there
    uint64_t capacityKB = 0;
    uint32_t partitionKB = 0;
};

PartitionProbeResult EvaluatePartitionProbe(const DriveGeometryRecord& geometry, const uint8_t (&firstSector)[512]);
