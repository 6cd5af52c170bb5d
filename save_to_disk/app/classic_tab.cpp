#include "save_to_disk/app/classic_tab.h"

void UseClassicTabLook(HWND tab) {
    // SetWindowTheme exists only where visual styles do (uxtheme.dll, Windows
    // XP and later); elsewhere the tab is classic already.
    HMODULE uxtheme = LoadLibraryA("uxtheme.dll");
    if (uxtheme == nullptr) return;
    using SetTheme = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);
    const auto setTheme =
        reinterpret_cast<SetTheme>(reinterpret_cast<void (*)()>(GetProcAddress(uxtheme, "SetWindowTheme")));
    // A name no theme has (an empty one would mean "the default theme" to some systems).
    if (setTheme != nullptr) setTheme(tab, L" ", L" ");
    FreeLibrary(uxtheme);
}
