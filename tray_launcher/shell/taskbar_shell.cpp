#include "tray_launcher/shell/taskbar_shell.h"

#include "common/win32/start_process.h"

void WindowsTaskbarShell::StartProgram(const char* commandLine, const char* directory) {
    StartProcess(commandLine, directory);
}
