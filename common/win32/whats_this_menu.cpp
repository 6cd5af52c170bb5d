#include "common/win32/whats_this_menu.h"

#include <string>

#include "common/win32/load_string.h"
#include "common/win32/unique_handle.h"

void TrackWhatsThisMenu(HWND owner, HINSTANCE instance, const WhatsThisMenu& menu, POINT screen) {
    UniqueMenu loaded(LoadMenuA(instance, MAKEINTRESOURCEA(menu.menu)));
    HMENU popup = loaded ? GetSubMenu(loaded.get(), 0) : nullptr;
    if (popup == nullptr) return;
    const std::string text = LoadStr(menu.text);
    ModifyMenuA(popup, menu.command, MF_BYCOMMAND | MF_STRING | MF_ENABLED, menu.command, text.c_str());
    TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_RIGHTBUTTON, screen.x, screen.y, 0, owner, nullptr);
}
