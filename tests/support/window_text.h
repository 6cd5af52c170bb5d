// What a user reads on the screen: the texts of windows, of a dialog's
// controls (of this process or another) and of menu entries.
#pragma once

#include <windows.h>

#include <string>

// The text of a window: a top-level window's title, a control's text.
std::string WindowText(HWND window);

// The text of the dialog's control id, asked of the control itself, so that
// it reads a control of another process too.
std::string ItemText(HWND dialog, int id);

// The text of a menu entry, by command (MF_BYCOMMAND) or by position
// (MF_BYPOSITION); "" when there is none.
std::string MenuText(HMENU menu, UINT item, UINT flags = MF_BYCOMMAND);

// The menu of the shortcut menu open now (its window has the menu class
// "#32768"); nullptr when none is open.
HMENU OpenShortcutMenu();
