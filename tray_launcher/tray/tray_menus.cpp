#include "tray_launcher/tray/tray_menus.h"

#include "common/win32/load_string.h"
#include "resources/taskbar/resource.h"
#include "tray_launcher/core/launcher_commands.h"

UniqueMenu LoadTrayMenu(HINSTANCE module, int menuId) {
    return UniqueMenu(LoadMenuA(module, MAKEINTRESOURCEA(menuId)));
}

void SetLauncherMenuTexts(HMENU popup) {
    for (UINT position = 0; position < 5; ++position) {
        HMENU submenu = GetSubMenu(popup, static_cast<int>(position));
        if (submenu == nullptr) continue;
        ModifyMenuA(popup, position, MF_BYPOSITION | MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(submenu),
                    LoadStr(kLauncherSubmenuTextIds[position]).c_str());
    }
    for (const LauncherCommand& entry : kLauncherCommands)
        ModifyMenuA(popup, entry.command, MF_BYCOMMAND | MF_STRING, entry.command, LoadStr(entry.textId).c_str());
}

void SetDisableMenuText(HMENU popup) {
    ModifyMenuA(popup, ID_TRAY_DISABLE, MF_BYCOMMAND | MF_STRING | MF_ENABLED, ID_TRAY_DISABLE,
                LoadStr(IDS_TRAY_DISABLE).c_str());
    EnableMenuItem(popup, ID_TRAY_DISABLE, MF_BYCOMMAND | MF_ENABLED);
}
