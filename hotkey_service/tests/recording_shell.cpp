// The seam of Pressmon's test build: message boxes and shut-downs are written,
// one line each, to pressmon-seam.log beside the program, and never happen.
#include "hotkey_service/shell/pressmon_shell.h"

#include "common/win32/unique_handle.h"

#include <cstdio>
#include <cstring>

namespace {

void Record(const char* line) {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    if (length == 0 || length >= sizeof path) return;
    char* slash = std::strrchr(path, '\\');
    if (slash == nullptr || slash + sizeof "pressmon-seam.log" > path + sizeof path) return;
    std::strcpy(slash + 1, "pressmon-seam.log");
    UniqueFileHandle log(CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                     OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!log) return;
    DWORD written = 0;
    WriteFile(log.get(), line, static_cast<DWORD>(std::strlen(line)), &written, nullptr);
}

}  // namespace

int SeamMessageBox(HWND, const char* text, const char* caption, UINT style) {
    char line[512];
    std::snprintf(line, sizeof line, "message %#x %s: %s\n", style, caption, text);
    Record(line);
    return IDOK;
}

BOOL SeamExitWindows(UINT flags) {
    char line[64];
    std::snprintf(line, sizeof line, "shutdown %u\n", flags);
    Record(line);
    return TRUE;
}
