#include "power_sheet/app/corvessa_shell.h"

#include "common/win32/start_process.h"

void WindowsShell::ShowPopupHelp(HWND owner, const char* helpFile, DWORD context) {
    WinHelpA(owner, helpFile, HELP_CONTEXTPOPUP, context);
}

void WindowsShell::StartProgram(const char* commandLine) { StartProcess(commandLine); }
