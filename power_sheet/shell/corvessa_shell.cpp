#include "power_sheet/shell/corvessa_shell.h"

#include "common/win32/load_string.h"
#include "common/win32/start_process.h"
#include "resources/corvessa/resource.h"

void WindowsCorvessaShell::ShowPopupHelp(HWND owner, const char* helpFile, DWORD context) {
    WinHelpA(owner, helpFile, HELP_CONTEXTPOPUP, context);
}

bool WindowsCorvessaShell::StartProgram(const char* commandLine) { return StartProcess(commandLine); }

int WindowsCorvessaShell::ShowMessageBox(HWND owner, const std::string& text, UINT type) {
    return MessageBoxA(owner, text.c_str(), LoadStr(IDS_SHEET_TITLE).c_str(), type);
}
