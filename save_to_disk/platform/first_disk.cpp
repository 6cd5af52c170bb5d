#include <windows.h>

#include "common/win32/registry_string.h"
#include "common/win32/unique_handle.h"
#include "machine_control/protocols/first_disk_protocol.h"
#include "save_to_disk/platform/save_file_disk.h"

std::string RootOf(char letter) { return std::string(1, letter) + ":\\"; }
std::string SaveFilePathOn(char letter) { return RootOf(letter) + kSaveFileName; }

std::unique_ptr<SaveFileDisk> OpenFirstDisk() {
    UniqueRegistryKey key;
    char image[MAX_PATH] = {};
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kVirtualNotebookKey, 0, KEY_READ, key.put()) == ERROR_SUCCESS &&
        ReadRegistryString(key.get(), kFirstDiskValue, image)) {
        const DWORD attributes = GetFileAttributesA(image);
        if (attributes != 0xFFFFFFFF && !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
            if (std::unique_ptr<SaveFileDisk> disk = MakeImageDisk(image)) return disk;
        }
    }
    return MakeSystemDisk();
}
