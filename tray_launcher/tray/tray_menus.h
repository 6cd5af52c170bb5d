// The tray icon's two menus, loaded from the resources with their texts from
// the string table.
#pragma once

#include <windows.h>

#include "common/win32/unique_handle.h"

// A menu resource of module; its first submenu is the one shown.
UniqueMenu LoadTrayMenu(HINSTANCE module, int menuId);

// The left-click menu (the first submenu of menu 131): the five submenus'
// texts by position, keeping their submenus, and every command's text by id.
void SetLauncherMenuTexts(HMENU popup);

// The right-click menu (the first submenu of menu 130): its one entry,
// "Disable Tray Icon", with its text and enabled.
void SetDisableMenuText(HMENU popup);
