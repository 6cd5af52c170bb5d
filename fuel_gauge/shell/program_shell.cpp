// fuel.exe acts through Windows itself.
#include "fuel_gauge/shell/fuel_shell.h"

FuelShell& ProgramShell() {
    static WindowsFuelShell shell;
    return shell;
}
