#include "save_to_disk/platform/partition_probe_system.h"

#include "save_to_disk/platform/nt_disk_access.h"
#include "save_to_disk/platform/vwin32_disk_access.h"

namespace {

constexpr const char* kFirstPhysicalDrive = "\\\\.\\PHYSICALDRIVE0";

}  // namespace

PartitionProbeResult PartitionProbe(bool windowsNt) {
    DriveGeometryRecord geometry;
    uint8_t sector[512];
    const bool read =
        windowsNt ? GetDriveGeometry(kFirstPhysicalDrive, geometry) && ReadFirstSector(kFirstPhysicalDrive, sector)
                  : SendDiskAuxRequest(kDiskAuxGeometry, kFirstPhysicalDrive, &geometry, sizeof geometry) &&
                        SendDiskAuxRequest(kDiskAuxFirstSector, kFirstPhysicalDrive, sector, sizeof sector);
    if (!read) return PartitionProbeResult{};
    return EvaluatePartitionProbe(geometry, sector);
}
