#include "save_to_disk/platform/vwin32_disk_access.h"

#include <cstring>

namespace {

constexpr uint32_t kIoctlBlockDevice = 0x440D;
// Minor codes of the block-device IOCTL, FAT32-aware form (0x48xx) first.
constexpr uint32_t kLockLogicalVolume = 0x084A;
constexpr uint32_t kUnlockLogicalVolume = 0x086A;
constexpr uint32_t kGetLockFlagState = 0x086C;
constexpr uint32_t kGetFirstCluster = 0x0871;
constexpr uint32_t kGetDriveMapInfo = 0x086F;
constexpr uint32_t kFat32Aware = 0x4000;
constexpr uint32_t kExtendedAbsoluteDiskIo = 0x7305;
constexpr unsigned kWriteLockLevel = 3;

uint32_t Address(const void* p) { return uint32_t(reinterpret_cast<uintptr_t>(p)); }

}  // namespace

bool Vwin32DiskAccess::OpenDevice() {
    device_.reset(CreateFileA("\\\\.\\vwin32", 0, 0, nullptr, 0, FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    return bool(device_);
}

bool Vwin32DiskAccess::IsWindows9x(uint32_t& build) {
    uint32_t number;
    if (!Win32DiskAccess::IsWindows9x(number)) return false;
    fat32Capable_ = number >= kFirstFat32Build;
    build = number;
    return true;
}

bool Vwin32DiskAccess::Request(Vwin32Request request, Vwin32Registers& registers) {
    DWORD returned = 0;
    if (!device_ || !DeviceIoControl(device_.get(), request, &registers, sizeof registers, &registers,
                                     sizeof registers, &returned, nullptr))
        return false;
    return returned == sizeof registers && (registers.flags & kCarryFlag) == 0;
}

bool Vwin32DiskAccess::DosIoctl(uint32_t ecx, uint32_t ebx, uint32_t edx, Vwin32Registers& out) {
    Vwin32Registers r = {};
    r.eax = kIoctlBlockDevice;
    r.ecx = ecx;
    r.ebx = ebx;
    r.edx = edx;
    if (!Request(kVwin32DosIoctl, r)) return false;
    out = r;
    return true;
}

bool Vwin32DiskAccess::LockVolume(unsigned drive, unsigned level, unsigned permissions) {
    Vwin32Registers r;
    const uint32_t ebx = drive + level * 256;
    return DosIoctl(kFat32Aware | kLockLogicalVolume, ebx, permissions, r) ||
           DosIoctl(kLockLogicalVolume, ebx, permissions, r);
}

bool Vwin32DiskAccess::UnlockVolume(unsigned drive) {
    Vwin32Registers r;
    return DosIoctl(kFat32Aware | kUnlockLogicalVolume, drive, 0, r) || DosIoctl(kUnlockLogicalVolume, drive, 0, r);
}

uint8_t Vwin32DiskAccess::GetLockFlagState(unsigned drive) {
    Vwin32Registers r;
    if (!DosIoctl(kGetLockFlagState, drive, 0, r)) return 1;
    return uint8_t(r.eax);
}

int64_t Vwin32DiskAccess::GetFirstCluster(const std::string& path) {
    if (path.size() < 2 || path[0] < 'A' || path[0] > 'Z') return -1;
    const unsigned drive = unsigned(path[0] - 64);
    if (!LockVolume(drive, 2, 0)) return -1;
    int64_t cluster = -1;
    if (LockVolume(drive, 3, 0)) {
        Vwin32Registers r;
        const uint32_t text = Address(path.c_str());
        if (DosIoctl(kFat32Aware | kGetFirstCluster, 1, text, r) || DosIoctl(kGetFirstCluster, 1, text, r))
            cluster = int64_t(r.edx & 0xFFFF) << 16 | (r.eax & 0xFFFF);
        UnlockVolume(drive);
    }
    UnlockVolume(drive);
    return cluster;
}

bool Vwin32DiskAccess::GetDriveMapInfo(unsigned drive, DriveMapInfo& info) {
    DriveMapInfo map = {};
    map.allocationLength = sizeof map;
    Vwin32Registers r;
    if (!DosIoctl(kGetDriveMapInfo | kFat32Aware, drive, Address(&map), r)) return false;
    info = map;
    return true;
}

bool Vwin32DiskAccess::ReadSectors(unsigned drive, uint32_t start, uint32_t count, void* buffer) {
    if (count == 0 || count > 0xFFFF) return false;
    DiskTransferPacket packet = {start, uint16_t(count), Address(buffer)};
    Vwin32Registers r = {};
    r.ebx = Address(&packet);
    if (fat32Capable_) {
        r.eax = kExtendedAbsoluteDiskIo;
        r.ecx = 0xFFFFFFFF;
        r.edx = drive;
        r.esi = 0;
        return Request(kVwin32DriveInfo, r);
    }
    r.eax = drive - 1;
    r.ecx = 0xFFFF;
    return Request(kVwin32Int25, r);
}

bool Vwin32DiskAccess::WriteSectors(unsigned drive, uint32_t start, uint32_t count, const void* buffer,
                                    WriteKind kind) {
    if (count == 0 || count > 0xFFFF || !LockVolume(drive, kWriteLockLevel, 0)) return false;
    DiskTransferPacket packet = {start, uint16_t(count), Address(buffer)};
    Vwin32Registers r = {};
    r.ebx = Address(&packet);
    bool written;
    if (fat32Capable_) {
        r.eax = kExtendedAbsoluteDiskIo;
        r.ecx = 0xFFFFFFFF;
        r.edx = drive;
        r.esi = uint32_t(kind) + 1;
        written = Request(kVwin32DriveInfo, r);
    } else {
        r.eax = drive - 1;
        r.ecx = 0xFFFF;
        written = Request(kVwin32Int26, r);
    }
    UnlockVolume(drive);
    return written;
}

bool SendDiskAuxRequest(DiskAuxRequest request, const char* physicalDrive, void* out, DWORD size) {
    UniqueFileHandle driver(CreateFileA("\\\\.\\SVLTHLPR.VXD", GENERIC_READ, FILE_SHARE_READ, nullptr, CREATE_NEW,
                                        FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    if (!driver) return false;
    const size_t length = std::strlen(physicalDrive);
    const char last = length ? physicalDrive[length - 1] : '\0';
    uint8_t unit = 0x80;
    if (last >= '0' && last <= '9') unit = uint8_t(0x80 + (last - '0'));
    std::memset(out, 0, size);
    DWORD returned = 0;
    return DeviceIoControl(driver.get(), request, &unit, sizeof unit, out, size, &returned,
                           nullptr) != FALSE;
}
