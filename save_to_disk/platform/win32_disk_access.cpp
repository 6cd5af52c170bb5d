#include "save_to_disk/platform/win32_disk_access.h"

#include "save_to_disk/engine/fsctl/fs_control.h"
#include "save_to_disk/platform/nt_disk_access.h"
#include "save_to_disk/platform/windows_version.h"

namespace {

struct FindHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static bool IsValid(Handle h) { return h != INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { FindClose(h); }
};
using UniqueFindHandle = UniqueHandle<FindHandleTraits>;

}  // namespace

bool Win32DiskAccess::GetVolumeFileSystemName(const std::string& root, std::string& name) {
    char fileSystem[MAX_PATH + 1] = {};
    if (!GetVolumeInformationA(root.c_str(), nullptr, 0, nullptr, nullptr, nullptr, fileSystem, MAX_PATH))
        return false;
    fileSystem[MAX_PATH] = '\0';
    name = fileSystem;
    return true;
}

bool Win32DiskAccess::IsFixedDrive(const std::string& root) { return GetDriveTypeA(root.c_str()) == DRIVE_FIXED; }

bool Win32DiskAccess::IsWindows9x(uint32_t& build) { return Windows9xBuild(build); }

FileCreation Win32DiskAccess::CreateSizedFile(const std::string& path, uint64_t size) {
    if (size == 0) return FileCreation::CreateFailed;  // no byte at size - 1
    UniqueFileHandle file(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return FileCreation::CreateFailed;
    LONG high = LONG((size - 1) >> 32);
    const DWORD low = SetFilePointer(file.get(), LONG(uint32_t(size - 1)), &high, FILE_BEGIN);
    if (low == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR) return FileCreation::CreateFailed;
    const char zero = 0;
    DWORD written = 0;
    if (!WriteFile(file.get(), &zero, 1, &written, nullptr) || written != 1) return FileCreation::WriteFailed;
    return FileCreation::Created;
}

bool Win32DiskAccess::GetFullPath(const std::string& path, std::string& full) {
    char buffer[MAX_PATH];
    char* namePart = nullptr;
    const DWORD length = GetFullPathNameA(path.c_str(), MAX_PATH, buffer, &namePart);
    if (length == 0 || length >= MAX_PATH) return false;
    full.assign(buffer, length);
    return true;
}

bool Win32DiskAccess::FindFiles(const std::string& pattern, std::vector<std::string>& names) {
    WIN32_FIND_DATAA data;
    UniqueFindHandle find(FindFirstFileA(pattern.c_str(), &data));
    if (!find) return false;
    std::vector<std::string> found;
    do {
        data.cFileName[MAX_PATH - 1] = '\0';
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        found.emplace_back(data.cFileName);
    } while (FindNextFileA(find.get(), &data));
    names = found;
    return true;
}

bool Win32DiskAccess::OpenFileForScan(const std::string& path) {
    scanned_.reset(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                               FILE_FLAG_NO_BUFFERING | FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    return bool(scanned_);
}

bool Win32DiskAccess::RemoveFile(const std::string& path) { return DeleteFileA(path.c_str()) != FALSE; }

bool Win32DiskAccess::SetAttributes(const std::string& path, uint8_t attributes) {
    return SetFileAttributesA(path.c_str(), attributes) != FALSE;
}

bool Win32DiskAccess::OpenVolume(char letter, uint32_t& error) {
    DWORD code = 0;
    if (::OpenVolume(letter, volume_, code)) return true;
    error = code;
    return false;
}

uint32_t Win32DiskAccess::FsControl(FsControlTarget target, uint32_t code, const void* input, uint32_t inputSize,
                                    void* output, uint32_t outputSize, uint32_t& returned, bool& waited) {
    const UniqueFileHandle& handle = target == FsControlTarget::Volume ? volume_ : scanned_;
    if (!handle) {
        returned = 0;
        waited = false;
        return kStatusInvalidHandle;
    }
    return fsControl_.Call(handle.get(), code, input, inputSize, output, outputSize, returned, waited);
}

std::string Win32DiskAccess::SystemErrorText(uint32_t error) {
    char text[512];
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
                                  MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), text, sizeof text, nullptr);
    // The system's text ends in a line break of its own.
    while (length > 0 && (text[length - 1] == '\n' || text[length - 1] == '\r')) --length;
    return std::string(text, length);
}
