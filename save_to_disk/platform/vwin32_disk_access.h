// DiskAccess on Windows 95/98: the volume locks, first-cluster query and
// absolute sector reads and writes of the "\\.\vwin32" device, plus the
// drive map query and the auxiliary driver's two requests.
#pragma once

#include "save_to_disk/core/disk_requests.h"
#include "save_to_disk/platform/win32_disk_access.h"

class Vwin32DiskAccess : public Win32DiskAccess {
public:
    bool OpenDevice() override;
    void CloseDevice() override { device_.reset(); }
    bool IsWindows9x(uint32_t& build) override;
    bool LockVolume(unsigned drive, unsigned level, unsigned permissions) override;
    bool UnlockVolume(unsigned drive) override;
    uint8_t GetLockFlagState(unsigned drive) override;
    int64_t GetFirstCluster(const std::string& path) override;
    bool ReadSectors(unsigned drive, uint32_t start, uint32_t count, void* buffer) override;
    bool WriteSectors(unsigned drive, uint32_t start, uint32_t count, const void* buffer, WriteKind kind) override;

    bool GetDriveMapInfo(unsigned drive, DriveMapInfo& info);

private:
    bool Request(Vwin32Request request, Vwin32Registers& registers);
    bool DosIoctl(uint32_t ecx, uint32_t ebx, uint32_t edx, Vwin32Registers& out);

    UniqueFileHandle device_;
    bool fat32Capable_ = false;
};

// One request (kDiskAuxGeometry, kDiskAuxFirstSector) of the auxiliary driver
// for a physical drive name such as "\\.\PHYSICALDRIVE0"; `out` is cleared first.
bool SendDiskAuxRequest(DiskAuxRequest request, const char* physicalDrive, void* out, DWORD size);
