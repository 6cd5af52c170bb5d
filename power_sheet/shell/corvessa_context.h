// What the pages of the Power Management sheet need of the program: its
// instance and its shell.
#pragma once

#include <windows.h>

#include "power_sheet/shell/corvessa_shell.h"

struct CorvessaContext {
    HINSTANCE instance;
    CorvessaShell& shell;
};
