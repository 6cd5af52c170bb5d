#include "control_panel_applet/shell/panelora_shell.h"

#include "common/win32/start_process.h"

void WindowsPaneloraShell::StartProgram(const char* commandLine, const char* directory) {
    StartProcess(commandLine, directory);
}
