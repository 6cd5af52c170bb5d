#include "hotkey_service/shell/pressmon_shell.h"

int WindowsShell::ShowMessageBox(HWND owner, const char* text, const char* caption, UINT style) {
    return MessageBoxA(owner, text, caption, style);
}

bool WindowsShell::ShutDownWindows(UINT flags) { return ExitWindowsEx(flags, 0) != FALSE; }
