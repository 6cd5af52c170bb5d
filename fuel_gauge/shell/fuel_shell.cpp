#include "fuel_gauge/shell/fuel_shell.h"

#include "common/win32/help_request.h"

int WindowsFuelShell::ShowMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type) {
    return MessageBoxA(owner, text.c_str(), caption.c_str(), type);
}

bool WindowsFuelShell::OpenHelp(HWND owner, const char* helpFile) {
    return AskHelpReader(owner, helpFile, HELP_INDEX, 0);
}

void WindowsFuelShell::CloseHelp(HWND owner) { WinHelpA(owner, nullptr, HELP_QUIT, 0); }
