// A program's icon on one of its windows: the title bar, the task bar button
// and Alt+Tab show it.
#pragma once

#include <windows.h>

// Sets the icon resource iconId of instance as window's large and small icon,
// each loaded in the size the system shows it in. The icons are shared with
// every window of the process that shows them (LR_SHARED): the system frees
// them with the module, and no window owns them.
void SetWindowIcon(HWND window, HINSTANCE instance, UINT iconId);
