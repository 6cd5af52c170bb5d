// The disk and volume operations the save-to-disk engines work through: the
// Windows 95/98 volume access requests (locks, first cluster, absolute sector
// reads and writes), the Windows NT file-system controls (volume handle,
// NtFsControlFile), and the few file-system calls an engine makes around them.
// One binding talks to the system, another to a disk image.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Windows 95/98 has FAT32 from this build on: the FAT32-capable volume
// requests and the free-space query in bytes.
constexpr uint32_t kFirstFat32Build = 1081;

// The kind a sector write carries on the FAT32-capable interface.
enum WriteKind : uint32_t {
    kWriteFat = 0x2000,
    kWriteDirectory = 0x4000,
    kWriteFileData = 0x6000,
};

// Which handle a file-system control goes to: the volume, or the file held
// open for the scan.
enum class FsControlTarget { Volume, File };

// How far creating a file at its full size got.
enum class FileCreation { Created, CreateFailed, WriteFailed };

class DiskAccess {
public:
    virtual ~DiskAccess() = default;

    // The volume access device (on Windows 95/98 "\\.\vwin32"), one per engine run.
    virtual bool OpenDevice() = 0;
    virtual void CloseDevice() = 0;

    // Volume information of a root such as "C:\": the file-system name.
    virtual bool GetVolumeFileSystemName(const std::string& root, std::string& name) = 0;
    virtual bool IsFixedDrive(const std::string& root) = 0;
    // Windows 95/98 (not NT), and the build number's low 16 bits.
    virtual bool IsWindows9x(uint32_t& build) = 0;

    // Drive numbers are 1 for A:, 2 for B: and so on.
    virtual bool LockVolume(unsigned drive, unsigned level, unsigned permissions) = 0;
    virtual bool UnlockVolume(unsigned drive) = 0;
    // Non-zero when someone else wrote the volume since the lock was taken.
    virtual uint8_t GetLockFlagState(unsigned drive) = 0;
    // The first cluster of a file or directory, -1 on failure.
    virtual int64_t GetFirstCluster(const std::string& path) = 0;
    // Sector numbers count from the start of the volume.
    virtual bool ReadSectors(unsigned drive, uint32_t start, uint32_t count, void* buffer) = 0;
    virtual bool WriteSectors(unsigned drive, uint32_t start, uint32_t count, const void* buffer,
                              WriteKind kind) = 0;

    // Creates (always) a file of the given size: the pointer moved to size - 1
    // and one zero byte written there.
    virtual FileCreation CreateSizedFile(const std::string& path, uint64_t size) = 0;
    virtual bool GetFullPath(const std::string& path, std::string& full) = 0;
    // The names (without directory) of the files, not directories, that match.
    virtual bool FindFiles(const std::string& pattern, std::vector<std::string>& names) = 0;
    // Holds the file open (reading, shared) while the engine works on it.
    virtual bool OpenFileForScan(const std::string& path) = 0;
    virtual void CloseFileForScan() = 0;
    virtual bool RemoveFile(const std::string& path) = 0;
    virtual bool SetAttributes(const std::string& path, uint8_t attributes) = 0;

    // Windows NT: the NtFsControlFile entry point of "ntdll.dll" is there.
    virtual bool ResolveFsControl() = 0;
    // The volume "\\.\X:", read and write, shared; on failure `error` is the system's code.
    virtual bool OpenVolume(char letter, uint32_t& error) = 0;
    virtual void CloseVolume() = 0;
    // One file-system control to the volume or to the file held open for the
    // scan; the final status (a pending one waited for; `waited` tells) and,
    // in `returned`, the bytes of the answer.
    virtual uint32_t FsControl(FsControlTarget target, uint32_t code, const void* input, uint32_t inputSize,
                               void* output, uint32_t outputSize, uint32_t& returned, bool& waited) = 0;
    virtual bool FlushVolume() = 0;
    // The handle of the file held open for the scan, as a move request names it.
    virtual uint64_t ScanFileHandle() = 0;
    // The system error code of the last failed call, and its text.
    virtual uint32_t LastSystemError() = 0;
    virtual std::string SystemErrorText(uint32_t error) = 0;
};
