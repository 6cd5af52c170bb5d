// A file in the root directory of a FAT volume, reached through the sector
// operations of DiskAccess: found by its 8.3 name with its size and cluster
// chain, written sector by sector inside that chain only; and the volume's
// cluster counts. The disk-image binding uses it for what the system's file
// calls do on the machine.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "save_to_disk/engine/disk_access.h"
#include "save_to_disk/engine/fat/fat_geometry.h"
#include "save_to_disk/engine/fat/fat_table.h"

struct FatRootFileEntry {
    uint32_t size = 0;
    uint8_t attributes = 0;
    std::vector<uint32_t> clusters;  // in file order
};

class FatRootVolume {
public:
    // Reads the boot sector and the first FAT; false for a volume that is not FAT.
    bool Mount(DiskAccess& disk, unsigned drive);

    // `name` is the 11-byte directory form ("SAVE2DSK" "BIN"). False when the
    // file is not there (a directory of that name is not the file), or its
    // chain loops, leaves the data area or is too short for its size.
    bool Find(const char (&name)[11], FatRootFileEntry& entry);

    uint32_t BytesPerCluster() const { return g_.bytesPerCluster; }
    uint32_t DataClusters() const { return g_.dataClusters; }
    uint32_t FreeClusters() const;
    bool IsFat32() const { return g_.type == FatType::Fat32; }

    // Writes sector `fileSector` of the file (512-byte sectors of the file);
    // false outside the file's clusters. The caller holds the volume locks a
    // sector write needs.
    bool WriteFileSector(const FatRootFileEntry& entry, uint64_t fileSector, const uint8_t (&data)[512]);

private:
    bool FileSectorAt(const FatRootFileEntry& entry, uint64_t fileSector, uint32_t& sector, uint32_t& offset) const;

    DiskAccess* disk_ = nullptr;
    unsigned drive_ = 0;
    FatGeometry g_;
    std::optional<FatTable> fat_;
};
