#include "hotkey_service/shell/pressmon_shell.h"

int SeamMessageBox(HWND owner, const char* text, const char* caption, UINT style) {
    return MessageBoxA(owner, text, caption, style);
}

BOOL SeamExitWindows(UINT flags) { return ExitWindowsEx(flags, 0); }
