// Finding the control under a point of a dialog or page, for What's This help.
#pragma once

#include <windows.h>

// The shown child control of parent under a screen point, enabled or not; a
// group frame counts only where none of the controls it surrounds is.
// nullptr when the point is over none.
HWND ControlAt(HWND parent, POINT screen);

// The program's own help file: its image path with the extension ".hlp".
// False when the path does not fit.
bool ProgramHelpFile(char (&path)[MAX_PATH]);
