// Panelora.cpl acts through Windows itself.
#include "control_panel_applet/shell/panelora_shell.h"

PaneloraShell& ProgramShell() {
    static WindowsPaneloraShell shell;
    return shell;
}
