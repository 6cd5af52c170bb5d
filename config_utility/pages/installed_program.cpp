#include "config_utility/pages/installed_program.h"

#include "common/win32/load_string.h"

bool StartInstalledProgram(MerovantContext& context, HWND owner, const char* commandLine, UINT cannotStart) {
    if (commandLine[0] != '\0' && context.shell.StartProgram(commandLine)) return true;
    context.shell.ShowMessageBox(owner, LoadStr(cannotStart), MB_OK | MB_ICONEXCLAMATION);
    return false;
}
