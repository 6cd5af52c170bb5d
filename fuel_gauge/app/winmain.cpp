// fuel.exe: the fuel gauge. It takes no arguments.
#include <windows.h>

#include "fuel_gauge/app/fuel_app.h"
#include "fuel_gauge/shell/fuel_shell.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) { return RunFuel(instance, ProgramShell()); }
