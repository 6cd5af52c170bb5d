// sorvault.exe (and its test build): the save-to-disk utility. It takes no
// command-line arguments.
#include <windows.h>

#include "save_to_disk/app/sorvault_app.h"
#include "save_to_disk/shell/sorvault_shell.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) { return RunSorvault(instance, ProgramShell()); }
