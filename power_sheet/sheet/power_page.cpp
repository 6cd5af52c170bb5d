#include "power_sheet/sheet/power_page.h"

#include "common/win32/control_at.h"
#include "common/win32/load_string.h"
#include "common/win32/unique_handle.h"
#include "resources/corvessa/resource.h"

namespace {

// The window property that keeps a watched control's own procedure.
constexpr char kOwnProcedure[] = "CorvessaOwnProcedure";
// Sent by a watched control to its page: the right button went down at the
// screen point in lParam.
constexpr UINT kRightButtonDown = WM_APP + 0x150;

}  // namespace

BOOL CPowerPage::OnInitDialog() {
    for (HWND child = GetWindow(hwnd(), GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
        WatchRightButton(child);
    OnInitPage();
    return TRUE;
}

void CPowerPage::WatchRightButton(HWND control) {
    const LONG_PTR own = GetWindowLongPtrA(control, GWLP_WNDPROC);
    if (own == 0 || !SetPropA(control, kOwnProcedure, reinterpret_cast<HANDLE>(own))) return;
    SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ControlProc));
}

LRESULT CALLBACK CPowerPage::ControlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto own = reinterpret_cast<WNDPROC>(GetPropA(control, kOwnProcedure));
    if (own == nullptr) return DefWindowProcA(control, message, wParam, lParam);
    if (message == WM_RBUTTONDOWN) {
        POINT screen{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        ClientToScreen(control, &screen);
        SendMessageA(GetParent(control), kRightButtonDown, 0, MAKELPARAM(screen.x, screen.y));
    } else if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(own));
        RemovePropA(control, kOwnProcedure);
    }
    return CallWindowProcA(own, control, message, wParam, lParam);
}

INT_PTR CPowerPage::OnMessage(UINT message, WPARAM, LPARAM lParam) {
    POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    switch (message) {
        case WM_RBUTTONDOWN:
            // Over the page itself, or over a control that passes the mouse on
            // (a disabled one, a frame, a label).
            ClientToScreen(hwnd(), &point);
            ShowWhatsThisMenu(point);
            return FALSE;  // then the press goes on as usual
        case kRightButtonDown:
            ShowWhatsThisMenu(point);
            return TRUE;
        default:
            return FALSE;
    }
}

void CPowerPage::ShowWhatsThisMenu(POINT screen) {
    lastRightClick_ = screen;
    UniqueMenu menu(LoadMenuA(context_.instance, MAKEINTRESOURCEA(IDR_WHATS_THIS)));
    HMENU popup = menu ? GetSubMenu(menu.get(), 0) : nullptr;
    if (popup == nullptr) return;
    const std::string text = LoadStr(IDS_WHATS_THIS);
    ModifyMenuA(popup, ID_WHATS_THIS, MF_BYCOMMAND | MF_STRING | MF_ENABLED, ID_WHATS_THIS, text.c_str());
    TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_RIGHTBUTTON, screen.x, screen.y, 0, hwnd(), nullptr);
}

bool CPowerPage::OnCommand(int id, int code, HWND control) {
    if (id == ID_WHATS_THIS && control == nullptr) {
        char helpFile[MAX_PATH];
        if (ProgramHelpFile(helpFile)) context_.shell.ShowPopupHelp(hwnd(), helpFile, HelpContextAt(lastRightClick_));
        return true;
    }
    return OnPageCommand(id, code, control);
}

DWORD CPowerPage::HelpContextAt(POINT screen) const {
    // An unnamed control (id -1) counts as the page.
    HWND control = ControlAt(hwnd(), screen);
    const int id = control != nullptr ? GetDlgCtrlID(control) : -1;
    if (id != -1 && id != 0xFFFF) return HELP_CONTEXT_CONTROL_BASE + static_cast<DWORD>(id);
    return HELP_CONTEXT_PAGE_BASE + static_cast<DWORD>(templateId());
}
