// taskbar.exe acts through Windows itself.
#include "tray_launcher/shell/taskbar_shell.h"

TaskbarShell& ProgramShell() {
    static WindowsTaskbarShell shell;
    return shell;
}
