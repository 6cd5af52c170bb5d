#include "config_utility/shell/merovant_shell.h"

#include "common/win32/help_request.h"
#include "common/win32/load_string.h"
#include "common/win32/start_process.h"
#include "config_utility/shell/restart_prompt.h"
#include "machine_control/platform/restart_machine.h"
#include "resources/merovant/resource.h"

bool WindowsMerovantShell::StartProgram(const char* commandLine) { return StartProcess(commandLine); }

bool WindowsMerovantShell::OpenHelp(HWND owner, const char* helpFile, UINT command, DWORD context) {
    return AskHelpReader(owner, helpFile, command, context);
}

bool WindowsMerovantShell::ConfirmRestart(HWND owner) {
    CRestartPrompt prompt;
    return prompt.DoModal(GetModuleHandleA(nullptr), owner) == IDOK;
}

int WindowsMerovantShell::ShowMessageBox(HWND owner, const std::string& text, UINT type) {
    return MessageBoxA(owner, text.c_str(), LoadStr(IDS_APP_TITLE).c_str(), type);
}

void WindowsMerovantShell::RestartWindows() { RestartMachine(); }
