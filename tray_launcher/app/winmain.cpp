// taskbar.exe: the tray launcher. It takes no arguments.
#include <windows.h>

#include "tray_launcher/app/taskbar_app.h"
#include "tray_launcher/shell/taskbar_shell.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) { return RunTaskbar(instance, ProgramShell()); }
