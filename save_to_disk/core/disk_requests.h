// The records that pass to the system's disk requests: the Windows 95/98
// "\\.\vwin32" register image, disk transfer packet and drive map
// information, and the drive geometry of both platforms. Little-endian.
#pragma once

#include <cstdint>

// Carry, bit 0 of the returned flags: the request failed.
constexpr uint32_t kCarryFlag = 0x0001;

struct Vwin32Registers {
    uint32_t ebx;
    uint32_t edx;
    uint32_t ecx;
    uint32_t eax;
    uint32_t edi;
    uint32_t esi;
    uint32_t flags;
};
static_assert(sizeof(Vwin32Registers) == 28);

#pragma pack(push, 1)
struct DiskTransferPacket {
    uint32_t startSector;
    uint16_t sectorCount;
    uint32_t buffer;  // a 32-bit address: the requests exist on 32-bit Windows only
};
#pragma pack(pop)
static_assert(sizeof(DiskTransferPacket) == 10);

#pragma pack(push, 1)
struct DriveMapInfo {
    uint8_t allocationLength;  // 16 before the call
    uint8_t infoLength;
    uint8_t flags;
    uint8_t int13Unit;         // 0x80: the first hard disk
    uint32_t associatedDriveMap;
    uint64_t partitionStartSector;
};
#pragma pack(pop)
static_assert(sizeof(DriveMapInfo) == 16);

struct DriveGeometryRecord {
    int64_t cylinders;
    uint32_t mediaType;
    uint32_t tracksPerCylinder;
    uint32_t sectorsPerTrack;
    uint32_t bytesPerSector;
};
static_assert(sizeof(DriveGeometryRecord) == 24);

// The device requests of "\\.\vwin32".
enum Vwin32Request : uint32_t {
    kVwin32DosIoctl = 1,
    kVwin32Int25 = 2,
    kVwin32Int26 = 3,
    kVwin32DriveInfo = 6,
};

// Requests of the Windows 95/98 auxiliary driver.
enum DiskAuxRequest : uint32_t {
    kDiskAuxGeometry = 1,
    kDiskAuxFirstSector = 2,
};
