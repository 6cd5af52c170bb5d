#include "save_to_disk/app/dialog_frame.h"

#include <commctrl.h>

#include <string>

#include "common/win32/library_function.h"
#include "common/win32/load_string.h"
#include "common/win32/unique_handle.h"
#include "resources/sorvault/resource.h"

namespace {

void UseClassicTabLook(HWND tab) {
    // SetWindowTheme exists only where visual styles do (uxtheme.dll, Windows
    // XP and later); elsewhere the tab is classic already.
    const UniqueLibrary uxtheme(LoadLibraryA("uxtheme.dll"));
    using SetTheme = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);
    const auto setTheme = FindFunction<SetTheme>(uxtheme.get(), "SetWindowTheme");
    // A name no theme has (an empty one would mean "the default theme" to some systems).
    if (setTheme != nullptr) setTheme(tab, L" ", L" ");
}

}  // namespace

void CDialogFrame::SetUp(HWND dialog, HINSTANCE instance, int tabControl, UINT tabTitle) {
    bigIcon_.reset(static_cast<HICON>(
        LoadImageA(instance, MAKEINTRESOURCEA(IDI_SORVAULT_PROGRAM), IMAGE_ICON, 32, 32, LR_DEFAULTCOLOR)));
    smallIcon_.reset(static_cast<HICON>(
        LoadImageA(instance, MAKEINTRESOURCEA(IDI_SORVAULT_PROGRAM), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR)));
    SendMessageA(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.get()));
    SendMessageA(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));

    std::string title = LoadStr(tabTitle);
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = title.data();
    HWND tab = GetDlgItem(dialog, tabControl);
    UseClassicTabLook(tab);
    SendMessageA(tab, TCM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
}
