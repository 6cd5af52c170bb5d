// fuel's start-up and run.
#pragma once

#include <windows.h>

#include "fuel_gauge/shell/fuel_shell.h"

// Opens the machine control channel and tells the BIOS that power management
// is supported. When a gauge already runs, toggles its window and ends,
// leaving FGTray to that gauge. Otherwise records FGTray = "1" in the shared
// key (ending at once, silently, when that fails) and runs the gauge window
// until it closes; FGTray becomes "0" again however that run ends. The
// channel closes at the end. Returns the process exit code.
int RunFuel(HINSTANCE instance, FuelShell& shell);

// The registry value that tells whether the gauge runs.
inline constexpr char kFuelTrayValue[] = "FGTray";
// The class of the gauge window, by which a second start finds the first.
inline constexpr char kDialogClass[] = "#32770";
