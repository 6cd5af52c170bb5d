// Corvessa.exe acts through Windows itself.
#include "power_sheet/shell/corvessa_shell.h"

CorvessaShell& ProgramShell() {
    static WindowsCorvessaShell shell;
    return shell;
}
