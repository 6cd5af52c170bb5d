#include "power_sheet/shell/corvessa_shell.h"

#include "common/win32/help_request.h"
#include "common/win32/load_string.h"
#include "common/win32/start_process.h"
#include "resources/corvessa/resource.h"

bool WindowsCorvessaShell::ShowPopupHelp(HWND owner, const char* helpFile, DWORD context) {
    return AskHelpReader(owner, helpFile, HELP_CONTEXTPOPUP, context);
}

void WindowsCorvessaShell::ShowMessageBox(HWND owner, const std::string& text, UINT type) {
    MessageBoxA(owner, text.c_str(), LoadStr(IDS_HELP_CAPTION).c_str(), type);
}

void WindowsCorvessaShell::StartProgram(const char* commandLine) { StartProcess(commandLine); }
