#include "fuel_gauge/tray/about_box.h"

#include "common/win32/controls.h"
#include "common/win32/load_string.h"
#include "resources/fuel/resource.h"

CAboutBox::CAboutBox() : CDialog(IDD_FUEL_ABOUT) {}

BOOL CAboutBox::OnInitDialog() {
    HookDialogMessages(hwnd(), this);
    SetWindowTextA(hwnd(), LoadStr(IDS_FUEL_ABOUT_TITLE).c_str());
    SetItemText(hwnd(), IDC_ABOUT_PRODUCT, LoadStr(IDS_FUEL_PRODUCT).c_str());
    SetItemText(hwnd(), IDC_ABOUT_APPLICATION, LoadStr(IDS_FUEL_APPLICATION).c_str());
    SetItemText(hwnd(), IDC_ABOUT_VERSION, LoadStr(IDS_FUEL_VERSION).c_str());
    SetItemText(hwnd(), IDOK, LoadStr(IDS_FUEL_OK).c_str());
    return TRUE;
}

bool CAboutBox::OnHookedMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
    return PaintBlackOnWhite(message, wParam, result);
}
