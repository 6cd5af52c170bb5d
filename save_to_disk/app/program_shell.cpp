// sorvault.exe acts through Windows itself.
#include "save_to_disk/app/sorvault_shell.h"

SorvaultShell& ProgramShell() {
    static WindowsShell shell;
    return shell;
}
