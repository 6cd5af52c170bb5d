// merovant.exe acts through Windows itself.
#include "config_utility/app/merovant_shell.h"

MerovantShell& ProgramShell() {
    static WindowsShell shell;
    return shell;
}
