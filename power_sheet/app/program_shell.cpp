// Corvessa.exe acts through Windows itself.
#include "power_sheet/app/corvessa_shell.h"

CorvessaShell& ProgramShell() {
    static WindowsShell shell;
    return shell;
}
