// Corvessa.exe: the Power Management sheet. It takes no command-line
// arguments.
#include <windows.h>

#include "power_sheet/app/corvessa_app.h"
#include "power_sheet/shell/corvessa_shell.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) { return RunCorvessa(instance, ProgramShell()); }
