// The file-system side of DiskAccess on Windows, shared by both platforms'
// bindings: volume information, drive type, version, the file calls, and
// the Windows NT volume handle with its file-system controls.
#pragma once

#include <windows.h>

#include "common/win32/unique_handle.h"
#include "save_to_disk/engine/disk_access.h"
#include "save_to_disk/platform/nt_fs_control.h"

class Win32DiskAccess : public DiskAccess {
public:
    bool GetVolumeFileSystemName(const std::string& root, std::string& name) override;
    bool IsFixedDrive(const std::string& root) override;
    bool IsWindows9x(uint32_t& build) override;
    FileCreation CreateSizedFile(const std::string& path, uint64_t size) override;
    bool GetFullPath(const std::string& path, std::string& full) override;
    bool FindFiles(const std::string& pattern, std::vector<std::string>& names) override;
    bool OpenFileForScan(const std::string& path) override;
    void CloseFileForScan() override { scanned_.reset(); }
    bool RemoveFile(const std::string& path) override;
    bool SetAttributes(const std::string& path, uint8_t attributes) override;
    bool ResolveFsControl() override { return fsControl_.Resolve(); }
    bool OpenVolume(char letter, uint32_t& error) override;
    void CloseVolume() override { volume_.reset(); }
    uint32_t FsControl(FsControlTarget target, uint32_t code, const void* input, uint32_t inputSize, void* output,
                       uint32_t outputSize, uint32_t& returned, bool& waited) override;
    bool FlushVolume() override { return FlushFileBuffers(volume_.get()) != FALSE; }
    uint64_t ScanFileHandle() override { return uint64_t(reinterpret_cast<uintptr_t>(scanned_.get())); }
    uint32_t LastSystemError() override { return GetLastError(); }
    std::string SystemErrorText(uint32_t error) override;

private:
    UniqueFileHandle scanned_;
    UniqueFileHandle volume_;
    NtFsControl fsControl_;
};

// The file-system side alone, every volume operation refused: Windows NT's
// engine needs no volume locks or sector requests.
class FileSystemDiskAccess final : public Win32DiskAccess {
public:
    bool OpenDevice() override { return true; }
    void CloseDevice() override {}
    bool LockVolume(unsigned, unsigned, unsigned) override { return false; }
    bool UnlockVolume(unsigned) override { return false; }
    uint8_t GetLockFlagState(unsigned) override { return 1; }
    int64_t GetFirstCluster(const std::string&) override { return -1; }
    bool ReadSectors(unsigned, uint32_t, uint32_t, void*) override { return false; }
    bool WriteSectors(unsigned, uint32_t, uint32_t, const void*, WriteKind) override { return false; }
};
