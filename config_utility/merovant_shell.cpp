#include "config_utility/merovant_shell.h"

#include <cstring>

#include "common/load_string.h"
#include "common/unique_handle.h"
#include "config_utility/restart_prompt.h"
#include "machine_control/restart_machine.h"
#include "resources/merovant/resource.h"

void WindowsShell::StartProgram(const char* commandLine) {
    // CreateProcessA may write into the command line, so it gets its own copy.
    char line[1024];
    const std::size_t length = std::strlen(commandLine);
    if (length >= sizeof line) return;
    std::memcpy(line, commandLine, length + 1);

    STARTUPINFOA startup;
    std::memset(&startup, 0, sizeof startup);
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (CreateProcessA(nullptr, line, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        UniqueKernelHandle thread(process.hThread);
        UniqueKernelHandle started(process.hProcess);
    }
}

void WindowsShell::OpenHelp(HWND owner, const char* helpFile, DWORD context) {
    WinHelpA(owner, helpFile, HELP_CONTEXT, context);
}

void WindowsShell::ShowPopupHelp(HWND owner, const char* helpFile, DWORD context) {
    WinHelpA(owner, helpFile, HELP_CONTEXTPOPUP, context);
}

bool WindowsShell::ConfirmRestart(HWND owner) {
    CRestartPrompt prompt;
    return prompt.DoModal(GetModuleHandleA(nullptr), owner) == IDOK;
}

int WindowsShell::ShowMessageBox(HWND owner, const std::string& text, UINT type) {
    return MessageBoxA(owner, text.c_str(), LoadStr(IDS_APP_TITLE).c_str(), type);
}

void WindowsShell::RestartWindows() { RestartMachine(); }
