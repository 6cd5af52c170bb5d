#include "tray_launcher/shell/taskbar_shell.h"

#include "common/win32/start_process.h"

bool WindowsTaskbarShell::StartProgram(const char* commandLine, const char* directory) {
    return StartProcess(commandLine, directory);
}

int WindowsTaskbarShell::ShowMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type) {
    return MessageBoxA(owner, text.c_str(), caption.c_str(), type);
}
