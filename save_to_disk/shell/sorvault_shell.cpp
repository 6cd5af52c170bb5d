#include "save_to_disk/shell/sorvault_shell.h"

#include "common/win32/load_string.h"
#include "common/win32/unique_handle.h"
#include "resources/sorvault/resource.h"
#include "save_to_disk/platform/machine_memory.h"
#include "save_to_disk/platform/windows_version.h"

void WindowsShell::ShowMessage(HWND owner, UINT id) {
    MessageBoxA(owner, LoadStr(id).c_str(), LoadStr(IDS_FILE_TITLE).c_str(), MB_OK);
}

void WindowsShell::RestartWindows() {
    // Windows NT restarts only for a process that holds the shutdown
    // privilege; Windows 95/98 has no tokens and restarts for anyone.
    if (IsWindowsNt()) {
        UniqueKernelHandle token;
        if (OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, token.put())) {
            TOKEN_PRIVILEGES privileges{};
            if (LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid)) {
                privileges.PrivilegeCount = 1;
                privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
                AdjustTokenPrivileges(token.get(), FALSE, &privileges, 0, nullptr, nullptr);
            }
        }
    }
    ExitWindowsEx(EWX_REBOOT, 0);
}

uint64_t WindowsShell::InstalledMemory() { return MachineMemoryBytes(); }
