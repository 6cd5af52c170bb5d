// merovant's start-up and run: single instance, page switches, main window.
#pragma once

#include <windows.h>

#include <cstddef>

#include "config_utility/shell/merovant_shell.h"

// Runs the program with the arguments after its name: opens the machine
// control channel, ends at once when another instance runs (bringing its
// window to the front), acts on a page switch, or shows the main window and
// runs until it is closed. Returns the process exit code.
int RunMerovant(HINSTANCE instance, std::size_t count, const char* const* arguments, int showCommand,
                MerovantShell& shell);

// The single-instance marker.
inline constexpr char kMerovantMutex[] = "XXXXX";

// A second instance's part: restores the first instance's main window, when it
// has one, and brings it to the front.
void ActivateRunningInstance();
