// The programs whose command lines the installation lays down in the shared
// key (Power, TaskBarPath, FuelPath): started, or the user told why not.
#pragma once

#include <windows.h>

#include "config_utility/shell/merovant_context.h"

// Starts commandLine, as read from the shared key. When it is empty (the
// value is missing or cannot be read) or names no program that can be
// started, the string cannotStart says so in a message box over owner.
// True when the program was started.
bool StartInstalledProgram(MerovantContext& context, HWND owner, const char* commandLine, UINT cannotStart);
