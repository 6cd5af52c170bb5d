// sorvault's start and run: single instance, the look at the first disk, and
// the partition dialog or the file dialog.
#pragma once

#include <windows.h>

#include "save_to_disk/shell/sorvault_shell.h"

// The single-instance marker.
inline constexpr char kSorvaultMutex[] = "Orlanvex is Running";

// Runs the program; returns the process exit code.
int RunSorvault(HINSTANCE instance, SorvaultShell& shell);

// A second instance's part: brings the first instance's dialog to the front.
void ActivateRunningInstance();
