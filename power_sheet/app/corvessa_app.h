// Corvessa's start-up and exit.
#pragma once

#include <windows.h>

#include "power_sheet/shell/corvessa_shell.h"

// Opens the request channel (its result does not matter: every page copes
// with a machine that does not answer), runs the Power Management sheet
// modally with no owner, and closes the channel however the sheet closed.
// Returns the program's exit code, 0.
int RunCorvessa(HINSTANCE instance, CorvessaShell& shell);
