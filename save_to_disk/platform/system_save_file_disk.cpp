// The system's binding: Windows 95/98 through "\\.\vwin32" and the FAT
// engine, Windows NT through the volume handle and the file-system-control
// engine; the file calls of Windows on both.
#include <windows.h>

#include <algorithm>
#include <cstring>

#include "common/core/little_endian.h"
#include "common/win32/library_function.h"
#include "common/win32/unique_handle.h"
#include "save_to_disk/engine/fat/fat_placement_engine.h"
#include "save_to_disk/engine/fsctl/fsctl_placement_engine.h"
#include "save_to_disk/platform/nt_disk_access.h"
#include "save_to_disk/platform/partition_probe_system.h"
#include "save_to_disk/platform/save_file_disk.h"
#include "save_to_disk/platform/vwin32_disk_access.h"
#include "save_to_disk/platform/windows_version.h"

namespace {

constexpr char kHarddisk0Partition[] = "\\Device\\Harddisk0\\Partition";
constexpr size_t kHarddisk0PartitionLength = sizeof kHarddisk0Partition - 1;  // 27
constexpr uint8_t kFirstHardDiskUnit = 0x80;
constexpr unsigned kLastDriveNumber = 24;  // X:
class SystemSaveFileWriter final : public SaveFileWriter {
public:
    explicit SystemSaveFileWriter(UniqueFileHandle file) : file_(std::move(file)) {}
    uint64_t Size() override {
        DWORD high = 0;
        const DWORD low = GetFileSize(file_.get(), &high);
        if (low == 0xFFFFFFFF && GetLastError() != NO_ERROR) return 0;
        return uint64_t(high) << 32 | low;
    }
    bool WriteSector(const uint8_t (&sector)[512]) override {
        DWORD written = 0;
        return WriteFile(file_.get(), sector, sizeof sector, &written, nullptr) && written == sizeof sector;
    }
    bool Skip(uint64_t sectors) override {
        const uint64_t bytes = sectors * 512;
        LONG high = LONG(bytes >> 32);
        SetLastError(NO_ERROR);
        const DWORD low = SetFilePointer(file_.get(), LONG(uint32_t(bytes)), &high, FILE_CURRENT);
        return !(low == 0xFFFFFFFF && GetLastError() != NO_ERROR);
    }

private:
    UniqueFileHandle file_;
};

class SystemSaveFileDisk final : public SaveFileDisk {
public:
    std::vector<char> CandidateDrives() override {
        std::vector<char> letters = IsWindowsNt() ? NtCandidates() : Windows9xCandidates();
        std::sort(letters.begin(), letters.end());
        letters.erase(std::unique(letters.begin(), letters.end()), letters.end());
        return letters;
    }

    bool FindSaveFile(char letter, uint64_t& size) override {
        WIN32_FIND_DATAA data;
        HANDLE find = FindFirstFileA(SaveFilePathOn(letter).c_str(), &data);
        if (find == INVALID_HANDLE_VALUE) return false;
        FindClose(find);
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return false;
        size = uint64_t(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
        return true;
    }

    void TouchSaveFile(char letter) override {
        const std::string path = SaveFilePathOn(letter);
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        UniqueFileHandle file(
            CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        if (file) {
            FILETIME created, accessed, written;
            GetFileTime(file.get(), &created, &accessed, &written);
        }
        SetFileAttributesA(path.c_str(), kSaveFileAttributes);
    }

    bool MarkSaveFile(char letter) override {
        return SetFileAttributesA(SaveFilePathOn(letter).c_str(), kSaveFileAttributes) != FALSE;
    }

    bool DeleteSaveFile(char letter) override {
        const std::string path = SaveFilePathOn(letter);
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        return DeleteFileA(path.c_str()) != FALSE;
    }

    bool FileSystemName(char letter, std::string& name) override {
        char fileSystem[MAX_PATH] = {};
        if (!GetVolumeInformationA(RootOf(letter).c_str(), nullptr, 0, nullptr, nullptr, nullptr, fileSystem,
                                   sizeof fileSystem))
            return false;
        fileSystem[sizeof fileSystem - 1] = '\0';
        name = fileSystem;
        return true;
    }

    SpaceQuery DriveSpace(char letter, uint64_t saveFileBytes, DriveSpaceInfo& info) override {
        const std::string root = RootOf(letter);
        uint32_t build = 0;
        if (IsWindowsNt() || (Windows9xBuild(build) && build >= kFirstFat32Build)) {
            const UniqueLibrary kernel(LoadLibraryA("KERNEL32.DLL"));
            if (!kernel) return SpaceQuery::NoKernel32;
            using FreeSpaceEx = BOOL(WINAPI*)(LPCSTR, PULARGE_INTEGER, PULARGE_INTEGER, PULARGE_INTEGER);
            const auto query = FindFunction<FreeSpaceEx>(kernel.get(), "GetDiskFreeSpaceExA");
            if (query != nullptr) {
                ULARGE_INTEGER available, total, free;
                if (query(root.c_str(), &available, &total, &free) == FALSE) return SpaceQuery::Failed;
                return DriveSpaceFromBytes(total.QuadPart, free.QuadPart, saveFileBytes, info) ? SpaceQuery::Answered
                                                                                               : SpaceQuery::Failed;
            }
        }
        DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, totalClusters = 0;
        if (!GetDiskFreeSpaceA(root.c_str(), &sectorsPerCluster, &bytesPerSector, &freeClusters, &totalClusters))
            return SpaceQuery::Failed;
        return DriveSpaceFromClusters(sectorsPerCluster, bytesPerSector, freeClusters, totalClusters, saveFileBytes,
                                      info)
                   ? SpaceQuery::Answered
                   : SpaceQuery::Failed;
    }

    void MakeContiguous(char letter, uint64_t bytes, PlacementHost& host) override {
        if (IsWindowsNt()) {
            FileSystemDiskAccess disk;
            FsctlPlacementEngine engine(disk, host);
            engine.MakeContiguous(letter, SaveFilePathOn(letter), bytes);
        } else {
            Vwin32DiskAccess disk;
            FatPlacementEngine engine(disk, host);
            engine.MakeContiguous(letter, SaveFilePathOn(letter), bytes);
        }
    }

    std::unique_ptr<SaveFileWriter> OpenSaveFile(char letter) override {
        UniqueFileHandle file(CreateFileA(SaveFilePathOn(letter).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                          OPEN_EXISTING, 0, nullptr));
        if (!file) return nullptr;
        return std::make_unique<SystemSaveFileWriter>(std::move(file));
    }

    PartitionProbeResult ProbeFirstDisk() override { return PartitionProbe(IsWindowsNt()); }

private:
    // Each partition n of the first disk: the first letter from C: whose DOS
    // device is "\Device\Harddisk0\Partition<n>".
    static std::vector<char> NtCandidates() {
        std::vector<char> letters;
        std::vector<uint8_t> layout;
        // QueryDosDeviceA is a Windows NT call; it is found at run time so that
        // the program loads on Windows 95 as well.
        using QueryDosDevice = DWORD(WINAPI*)(LPCSTR, LPSTR, DWORD);
        const auto queryDosDevice = FindFunction<QueryDosDevice>(GetModuleHandleA("KERNEL32.DLL"), "QueryDosDeviceA");
        if (queryDosDevice == nullptr || !GetDriveLayout(layout) || layout.size() < 4) return letters;
        const uint32_t count = ReadLe32(layout.data());
        for (uint32_t n = 1; n <= count && n <= 9; ++n) {
            for (char letter = 'C'; letter <= 'Z'; ++letter) {
                const char device[3] = {letter, ':', '\0'};
                char target[MAX_PATH] = {};
                if (queryDosDevice(device, target, sizeof target) == 0) continue;
                target[sizeof target - 1] = '\0';
                // The whole name: "...Partition1" is not "...Partition12".
                if (std::strncmp(target, kHarddisk0Partition, kHarddisk0PartitionLength) == 0 &&
                    target[kHarddisk0PartitionLength] == char('0' + n) &&
                    target[kHarddisk0PartitionLength + 1] == '\0') {
                    letters.push_back(letter);
                    break;
                }
            }
        }
        return letters;
    }

    // The fixed drives A: to X: whose BIOS unit is the first hard disk; none
    // at all when the drive map cannot be asked.
    static std::vector<char> Windows9xCandidates() {
        std::vector<char> letters;
        Vwin32DiskAccess device;
        if (!device.OpenDevice()) return letters;
        const DWORD mask = GetLogicalDrives();
        for (unsigned drive = 1; drive <= kLastDriveNumber; ++drive) {
            const char letter = char('A' + drive - 1);
            if (!(mask & (1u << (drive - 1))) || GetDriveTypeA(RootOf(letter).c_str()) != DRIVE_FIXED) continue;
            DriveMapInfo info{};
            if (!device.GetDriveMapInfo(drive, info)) return {};
            if (info.int13Unit == kFirstHardDiskUnit) letters.push_back(letter);
        }
        return letters;
    }
};

}  // namespace

std::unique_ptr<SaveFileDisk> MakeSystemDisk() { return std::make_unique<SystemSaveFileDisk>(); }
