// sorvault.exe acts through Windows itself.
#include "save_to_disk/shell/sorvault_shell.h"

SorvaultShell& ProgramShell() {
    static WindowsShell shell;
    return shell;
}
