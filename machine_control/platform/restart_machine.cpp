#include "machine_control/platform/restart_machine.h"

#include <windows.h>

namespace {

struct TokenHandle {
    HANDLE handle = nullptr;
    ~TokenHandle() {
        if (handle != nullptr) CloseHandle(handle);
    }
};

}  // namespace

Bool32 RestartMachine() {
    TokenHandle token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token.handle)) return FALSE;

    TOKEN_PRIVILEGES privileges{};
    LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid);
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    AdjustTokenPrivileges(token.handle, FALSE, &privileges, 0, nullptr, nullptr);
    // AdjustTokenPrivileges succeeds even when the privilege is not held;
    // only the last error tells.
    if (GetLastError() != ERROR_SUCCESS) return FALSE;

    ExitWindowsEx(EWX_REBOOT, 0);
    return TRUE;
}
