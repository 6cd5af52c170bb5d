// Pressmon.exe acts through Windows itself.
#include "hotkey_service/shell/pressmon_shell.h"

PressmonShell& ProgramShell() {
    static WindowsShell shell;
    return shell;
}
