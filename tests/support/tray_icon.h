// Whether the shell's tray holds a program's icon.
#pragma once

#include <windows.h>

// True when the shell holds the icon id of owner: it accepts a change of the
// icon's tip (to tip) only for an icon that is there.
bool ShellHoldsIcon(HWND owner, UINT id, const char* tip);
