// taskbar.exe: the tray launcher. It takes no arguments.
#include <windows.h>

#include "tray_launcher/app/taskbar_app.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    static WindowsTaskbarShell shell;
    return RunTaskbar(instance, shell);
}
