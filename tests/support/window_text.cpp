#include "tests/support/window_text.h"

std::string WindowText(HWND window) {
    char text[512] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string ItemText(HWND dialog, int id) {
    char text[512] = "";
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

std::string MenuText(HMENU menu, UINT item, UINT flags) {
    char text[128] = "";
    GetMenuStringA(menu, item, text, sizeof text, flags);
    return text;
}

HMENU OpenShortcutMenu() {
    HWND window = FindWindowA("#32768", nullptr);
    if (window == nullptr) return nullptr;
    return reinterpret_cast<HMENU>(SendMessageA(window, MN_GETHMENU, 0, 0));
}
