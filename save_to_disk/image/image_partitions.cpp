#include "save_to_disk/image/image_partitions.h"

#include "save_to_disk/core/partition_table.h"

namespace {

constexpr uint32_t kTracksPerCylinder = 16;
constexpr uint32_t kSectorsPerTrack = 63;
constexpr uint32_t kFixedDisk = 12;

}  // namespace

bool IsFatPartitionType(uint8_t type) {
    switch (type) {
    case 0x01: case 0x04: case 0x06: case 0x0B: case 0x0C: case 0x0E:
        return true;
    default:
        return false;
    }
}

std::vector<unsigned> FatPartitionsOf(const uint8_t (&firstSector)[512]) {
    std::vector<unsigned> partitions;
    if (!HasBootSignature(firstSector)) return partitions;
    for (unsigned i = 0; i < kPartitionEntries; ++i)
        if (IsFatPartitionType(ReadPartitionEntry(firstSector, i).type)) partitions.push_back(i + 1);
    return partitions;
}

DriveGeometryRecord ImageDiskGeometry(uint64_t imageBytes) {
    DriveGeometryRecord geometry{};
    geometry.cylinders = int64_t(imageBytes / 512 / (kTracksPerCylinder * kSectorsPerTrack));
    geometry.mediaType = kFixedDisk;
    geometry.tracksPerCylinder = kTracksPerCylinder;
    geometry.sectorsPerTrack = kSectorsPerTrack;
    geometry.bytesPerSector = 512;
    return geometry;
}
