// The file-system side of DiskAccess on Windows, shared by both platforms'
// bindings: volume information, drive type, version, and the file calls.
#pragma once

#include <windows.h>

#include "common/unique_handle.h"
#include "save_to_disk/disk_access.h"

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

private:
    UniqueFileHandle scanned_;
};
