#include "save_to_disk/app/video_memory_query.h"

#include <windows.h>

#include <string>

#include "common/core/little_endian.h"
#include "common/win32/library_function.h"
#include "common/win32/unique_handle.h"
#include "save_to_disk/core/video_memory.h"
#include "save_to_disk/platform/windows_version.h"

namespace {

constexpr DWORD kValueText = 260;
constexpr DWORD kMaxDisplayModes = 100000;

// The largest HardwareInformation.MemorySize of the video devices; false
// when the device map cannot be read or names something else than it should.
bool VideoMemoryFromRegistry(uint64_t& bytes) {
    UniqueRegistryKey map;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "HARDWARE\\DEVICEMAP\\VIDEO", 0, KEY_READ, map.put()) != ERROR_SUCCESS)
        return false;
    uint64_t largest = 0;
    for (DWORD index = 0;; ++index) {
        char name[kValueText + 1] = {};
        BYTE data[kValueText + 1] = {};
        DWORD nameSize = kValueText + 1, dataSize = kValueText, type = 0;
        const LONG status = RegEnumValueA(map.get(), index, name, &nameSize, nullptr, &type, data, &dataSize);
        if (status == ERROR_NO_MORE_ITEMS) break;
        if (status != ERROR_SUCCESS) return false;
        if (!NamesVideoDevice(name)) continue;
        if (type != REG_SZ) return false;
        // The data may lack its terminating zero.
        DWORD length = 0;
        while (length < dataSize && data[length] != 0) ++length;
        std::string key;
        if (!MachineKeyOf(std::string(reinterpret_cast<const char*>(data), length), key)) return false;
        UniqueRegistryKey device;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ, device.put()) != ERROR_SUCCESS) return false;
        BYTE size[4];
        DWORD sizeBytes = sizeof size, sizeType = 0;
        const LONG read =
            RegQueryValueExA(device.get(), "HardwareInformation.MemorySize", nullptr, &sizeType, size, &sizeBytes);
        if (read == ERROR_FILE_NOT_FOUND) continue;
        if (read != ERROR_SUCCESS || sizeType != REG_BINARY || sizeBytes != 4) return false;
        const uint64_t memory = ReadLe32(size);
        if (memory > largest) largest = memory;
    }
    if (largest == 0) return false;
    bytes = largest;
    return true;
}

uint64_t VideoMemoryFromDisplayModes() {
    uint64_t largest = 0;
    DEVMODEA mode{};
    mode.dmSize = sizeof mode;
    for (DWORD number = 0; number < kMaxDisplayModes && EnumDisplaySettingsA(nullptr, number, &mode); ++number) {
        const uint64_t frame = FrameBytes(mode.dmBitsPerPel, mode.dmPelsWidth, mode.dmPelsHeight);
        if (frame > largest) largest = frame;
    }
    return VideoMemoryAbove(largest);
}

uint64_t VideoMemoryFromDisplayLibrary() {
    const UniqueLibrary library(LoadLibraryA("SVLT32"));
    using GetVideoSize = DWORD(WINAPI*)();
    const auto query = FindFunction<GetVideoSize>(library.get(), "?CallGetVideoSize@@YGKXZ");
    return query != nullptr ? uint64_t(query()) * 65536 : 0;
}

}  // namespace

uint64_t QueryVideoMemory() {
    if (!IsWindowsNt()) return VideoMemoryFromDisplayLibrary();
    uint64_t bytes;
    return VideoMemoryFromRegistry(bytes) ? bytes : VideoMemoryFromDisplayModes();
}
