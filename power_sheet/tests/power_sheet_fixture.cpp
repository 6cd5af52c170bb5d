#include "power_sheet/tests/power_sheet_fixture.h"

#include <commctrl.h>

#include "machine_control/core/smi_request.h"
#include "resources/corvessa/resource.h"

std::ostream& operator<<(std::ostream& out, const Sent& s) {
    return out << std::hex << "{" << s.eax << ", " << s.ebx << ", " << s.ecx << ", " << s.edx << "}";
}

PowerSheetTest::PowerSheetTest() { InitCommonControls(); }

PowerSheetTest::~PowerSheetTest() {
    if (window != nullptr) DestroyWindow(window);
}

void PowerSheetTest::Open() {
    sheet = std::make_unique<CPowerProp>(CorvessaContext{GetModuleHandleA(nullptr), shell});
    window = sheet->CreateModeless();
    ASSERT_NE(window, nullptr);
    ShowWindow(window, SW_HIDE);
}

HWND PowerSheetTest::ShowPage(int index) {
    PropSheet_SetCurSel(window, nullptr, index);
    return PropSheet_GetCurrentPageHwnd(window);
}

void PowerSheetTest::Press(int button) { SendMessageA(window, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0); }

bool PowerSheetTest::ApplyEnabled() const { return IsWindowEnabled(GetDlgItem(window, kApplyButton)) != FALSE; }

bool PowerSheetTest::Closed() const { return PropSheet_GetCurrentPageHwnd(window) == nullptr; }

std::vector<Sent> PowerSheetTest::Logged() const {
    std::vector<Sent> sent;
    for (const SmiRequest& r : LoggedRequests(*model)) sent.push_back({r.Eax, r.Ebx, r.Ecx, r.Edx});
    return sent;
}

void Choose(HWND page, int list, int position) {
    HWND control = GetDlgItem(page, list);
    SendMessageA(control, CB_SETCURSEL, position, 0);
    SendMessageA(page, WM_COMMAND, MAKEWPARAM(list, CBN_SELCHANGE), reinterpret_cast<LPARAM>(control));
}

void Click(HWND page, int button) { SendMessageA(GetDlgItem(page, button), BM_CLICK, 0, 0); }

int Selection(HWND page, int list) { return static_cast<int>(SendDlgItemMessageA(page, list, CB_GETCURSEL, 0, 0)); }

bool Checked(HWND page, int button) { return IsDlgButtonChecked(page, button) == BST_CHECKED; }

bool Enabled(HWND page, int control) { return IsWindowEnabled(GetDlgItem(page, control)) != FALSE; }

bool Shown(HWND page, int control) { return (GetWindowLongA(GetDlgItem(page, control), GWL_STYLE) & WS_VISIBLE) != 0; }

std::string Text(HWND page, int control) {
    char text[256] = "";
    GetDlgItemTextA(page, control, text, sizeof text);
    return text;
}

namespace {

std::string menuItem;

// Runs in the menu's own loop: reads the item and closes the menu.
void CALLBACK ReadAndCloseMenu(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    HWND menuWindow = FindWindowA("#32768", nullptr);
    HMENU menu = reinterpret_cast<HMENU>(SendMessageA(menuWindow, MN_GETHMENU, 0, 0));
    char text[64] = "";
    GetMenuStringA(menu, ID_WHATS_THIS, text, sizeof text, MF_BYCOMMAND);
    menuItem = text;
    EndMenu();
}

}  // namespace

std::string WhatsThis(HWND page, int control, POINT client) {
    menuItem = "(no menu)";
    HWND target = control != 0 ? GetDlgItem(page, control) : page;
    if (control != 0) {
        RECT bounds;
        GetClientRect(target, &bounds);
        client = {bounds.right / 2, bounds.bottom / 2};
    }
    SetTimer(nullptr, 0, 20, ReadAndCloseMenu);
    SendMessageA(target, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(client.x, client.y));
    SendMessageA(target, WM_RBUTTONUP, 0, MAKELPARAM(client.x, client.y));
    SendMessageA(page, WM_COMMAND, ID_WHATS_THIS, 0);
    return menuItem;
}
