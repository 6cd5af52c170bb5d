#include "power_sheet/shell/corvessa_shell.h"

#include "common/win32/help_request.h"
#include "common/win32/load_string.h"
#include "common/win32/start_process.h"

bool WindowsCorvessaShell::ShowPopupHelp(HWND owner, const char* helpFile, DWORD context) {
    return AskHelpReader(owner, helpFile, HELP_CONTEXTPOPUP, context);
}

bool WindowsCorvessaShell::StartProgram(const char* commandLine) { return StartProcess(commandLine); }

int WindowsCorvessaShell::ShowMessageBox(HWND owner, UINT captionId, const std::string& text, UINT type) {
    return MessageBoxA(owner, text.c_str(), LoadStr(captionId).c_str(), type);
}
