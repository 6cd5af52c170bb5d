#include "save_to_disk/platform/windows_version.h"

#include <windows.h>

bool IsWindowsNt() { return (GetVersion() & 0x80000000u) == 0; }

bool Windows9xBuild(uint32_t& build) {
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    if (!GetVersionExA(&version) || version.dwPlatformId != VER_PLATFORM_WIN32_WINDOWS) return false;
    build = version.dwBuildNumber & 0xFFFF;
    return true;
}
