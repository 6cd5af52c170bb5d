#include "power_sheet/shell/corvessa_shell.h"

#include "common/win32/start_process.h"

void WindowsCorvessaShell::ShowPopupHelp(HWND owner, const char* helpFile, DWORD context) {
    WinHelpA(owner, helpFile, HELP_CONTEXTPOPUP, context);
}

void WindowsCorvessaShell::StartProgram(const char* commandLine) { StartProcess(commandLine); }
