// taskbar's start-up and run: single instance, the shared key, the hidden
// main dialog with the tray icon.
#pragma once

#include <windows.h>

#include "tray_launcher/shell/taskbar_shell.h"

// The single-instance marker.
inline constexpr char kTaskbarMutex[] = "YYYYY";

// Runs the program: opens the machine control channel and holds it, ends at
// once when another copy runs, when the configuration key cannot be opened or
// when "CUTray" cannot be written; otherwise records "TaskBarId" and
// "CUTray" = "1" and runs the main dialog until it ends. Returns the exit code.
int RunTaskbar(HINSTANCE instance, TaskbarShell& shell);
