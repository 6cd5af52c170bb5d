#include "save_to_disk/platform/nt_disk_access.h"

#include <algorithm>

namespace {

constexpr DWORD kIoctlDiskGetDriveGeometry = 0x70000;
constexpr DWORD kIoctlDiskGetDriveLayout = 0x7400C;

UniqueFileHandle OpenForReading(const char* name, DWORD share) {
    return UniqueFileHandle(CreateFileA(name, GENERIC_READ, share, nullptr, OPEN_EXISTING, 0, nullptr));
}

}  // namespace

bool GetDriveGeometry(const char* physicalDrive, DriveGeometryRecord& geometry) {
    UniqueFileHandle drive = OpenForReading(physicalDrive, FILE_SHARE_READ);
    DriveGeometryRecord record = {};
    DWORD returned = 0;
    if (!drive || !DeviceIoControl(drive.get(), kIoctlDiskGetDriveGeometry, nullptr, 0, &record, sizeof record,
                                   &returned, nullptr) ||
        returned != sizeof record)
        return false;
    geometry = record;
    return true;
}

bool ReadFirstSector(const char* physicalDrive, uint8_t (&sector)[512]) {
    UniqueFileHandle drive = OpenForReading(physicalDrive, FILE_SHARE_READ);
    uint8_t buffer[512];
    DWORD read = 0;
    if (!drive || !ReadFile(drive.get(), buffer, sizeof buffer, &read, nullptr) || read != sizeof buffer)
        return false;
    std::copy(buffer, buffer + sizeof buffer, sector);
    return true;
}

bool GetDriveLayout(std::vector<uint8_t>& layout) {
    UniqueFileHandle drive = OpenForReading("\\\\.\\PhysicalDrive0", FILE_SHARE_READ | FILE_SHARE_WRITE);
    std::vector<uint8_t> answer(kDriveLayoutBytes);
    DWORD returned = 0;
    if (!drive || !DeviceIoControl(drive.get(), kIoctlDiskGetDriveLayout, nullptr, 0, answer.data(),
                                   kDriveLayoutBytes, &returned, nullptr) ||
        returned < sizeof(uint32_t))
        return false;
    layout = std::move(answer);
    return true;
}

bool OpenVolume(char letter, UniqueFileHandle& volume, DWORD& error) {
    char name[] = "\\\\.\\A:";
    name[4] = letter;
    UniqueFileHandle handle(CreateFileA(name, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                        nullptr, OPEN_EXISTING, 0, nullptr));
    if (!handle) {
        error = GetLastError();
        return false;
    }
    volume = std::move(handle);
    return true;
}
