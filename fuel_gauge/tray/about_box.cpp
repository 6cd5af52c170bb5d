#include "fuel_gauge/tray/about_box.h"

#include "common/win32/control_text.h"
#include "common/win32/load_string.h"
#include "fuel_gauge/tray/black_on_white.h"
#include "resources/fuel/resource.h"

namespace {

constexpr ControlText kTexts[] = {
    {IDC_ABOUT_PRODUCT, IDS_FUEL_PRODUCT},
    {IDC_ABOUT_APPLICATION, IDS_FUEL_APPLICATION},
    {IDC_ABOUT_VERSION, IDS_FUEL_VERSION},
    {IDOK, IDS_FUEL_OK},
};

}  // namespace

CAboutBox::CAboutBox() : CDialog(IDD_FUEL_ABOUT) {}

BOOL CAboutBox::OnInitDialog() {
    SetWindowTextA(hwnd(), LoadStr(IDS_FUEL_ABOUT_TITLE).c_str());
    SetControlTexts(hwnd(), kTexts);
    return TRUE;
}

bool CAboutBox::OnMessage(UINT message, WPARAM wParam, LPARAM, INT_PTR& result) {
    return PaintBlackOnWhite(message, wParam, result);
}
