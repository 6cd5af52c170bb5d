// The one-item "What's This?" menu that a right click over a dialog or page
// pops up.
#pragma once

#include <windows.h>

// The menu resource (its first submenu is the one shown), its one command
// and the string of that command's text.
struct WhatsThisMenu {
    int menu;
    UINT command;
    UINT text;
};

// Loads the menu from instance, sets its command's text from the string
// table and tracks it at a screen point over owner, for the right button as
// well as the left. The command, when chosen, reaches owner as WM_COMMAND.
void TrackWhatsThisMenu(HWND owner, HINSTANCE instance, const WhatsThisMenu& menu, POINT screen);
