// merovant.exe acts through Windows itself.
#include "config_utility/shell/merovant_shell.h"

MerovantShell& ProgramShell() {
    static WindowsMerovantShell shell;
    return shell;
}
