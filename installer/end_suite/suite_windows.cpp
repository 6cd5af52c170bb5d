#include "installer/end_suite/suite_windows.h"

#include <windows.h>

namespace {

struct SuiteWindow {
    const char* title;
    UINT message;
    // False for a program that may be writing to the disk's file system
    // itself: ending it half-way could leave the volume damaged, so it is
    // left for the user to close.
    bool forced;
};

// The tray launcher ends on WM_DESTROY, as the Customize page ends it; the
// save-to-disk utility shows one of two dialogs.
constexpr SuiteWindow kWindows[] = {
    {"Taskbar", WM_DESTROY, true},
    {"Merovant Configuration", WM_CLOSE, true},
    {"Fuel", WM_CLOSE, true},
    {"Power Management", WM_CLOSE, true},
    {"Enable/Disable Hibernation", WM_CLOSE, false},
    {"Hibernation Partition", WM_CLOSE, false},
};

BOOL CALLBACK AskWindow(HWND window, LPARAM context) {
    auto& processes = *reinterpret_cast<SuiteProcesses*>(context);
    char title[64];
    if (GetWindowTextA(window, title, sizeof title) <= 0) return TRUE;
    for (const SuiteWindow& suite : kWindows) {
        if (lstrcmpiA(title, suite.title) != 0) continue;
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        // The process is opened before it is asked, so that it is still
        // this process that is waited for once it has ended.
        if (owner != 0 && owner != GetCurrentProcessId() && processes.Add(owner, suite.forced))
            PostMessageA(window, suite.message, 0, 0);
        break;
    }
    return TRUE;
}

}  // namespace

void AskSuiteWindowsToEnd(SuiteProcesses& processes) {
    EnumWindows(AskWindow, reinterpret_cast<LPARAM>(&processes));
}
