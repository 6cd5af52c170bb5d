#include "power_sheet/sheet/power_page.h"

#include <string>

#include "common/win32/help_context.h"
#include "common/win32/help_request.h"
#include "common/win32/whats_this_menu.h"
#include "resources/corvessa/resource.h"

namespace {

constexpr WhatsThisMenu kWhatsThisMenu{IDR_WHATS_THIS, ID_WHATS_THIS, IDS_WHATS_THIS};
constexpr HelpContextBases kHelpContexts{HELP_CONTEXT_CONTROL_BASE, HELP_CONTEXT_PAGE_BASE};
constexpr HelpMessages kHelpMessages{IDS_HELP_NOT_SET_UP, IDS_HELP_NOT_FOUND, IDS_HELP_NOT_OPENED};

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

bool CPowerPage::OnMessage(UINT message, WPARAM, LPARAM lParam, INT_PTR& result) {
    POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    switch (message) {
        case WM_RBUTTONDOWN:
            // Over the page itself, or over a control that passes the mouse on
            // (a disabled one, a frame, a label); then the press goes on as usual.
            ClientToScreen(hwnd(), &point);
            ShowWhatsThisMenu(point);
            return false;
        case kRightButtonDown:
            ShowWhatsThisMenu(point);
            result = TRUE;
            return true;
        default:
            return false;
    }
}

void CPowerPage::ShowWhatsThisMenu(POINT screen) {
    lastRightClick_ = screen;
    TrackWhatsThisMenu(hwnd(), context_.instance, kWhatsThisMenu, screen);
}

bool CPowerPage::OnCommand(int id, int code, HWND control) {
    if (id == ID_WHATS_THIS && control == nullptr) {
        ShowHelp(HelpContextAt(hwnd(), lastRightClick_, templateId(), kHelpContexts));
        return true;
    }
    return OnPageCommand(id, code, control);
}

bool CPowerPage::OnHelp(const HELPINFO& info) {
    // F1 in the "What is this?" menu asks about the spot the menu was opened for.
    ShowHelp(info.iContextType == HELPINFO_MENUITEM
                 ? HelpContextAt(hwnd(), lastRightClick_, templateId(), kHelpContexts)
                 : HelpContextOfItem(hwnd(), static_cast<HWND>(info.hItemHandle), templateId(), kHelpContexts));
    return true;
}

// The popup topic from the program's own help file, or a message that says
// why there is none.
void CPowerPage::ShowHelp(DWORD helpContext) {
    const std::string problem = RequestProgramHelp(
        kHelpMessages, [&](const char* file) { return context_.shell.ShowPopupHelp(hwnd(), file, helpContext); });
    if (!problem.empty()) context_.shell.ShowMessageBox(hwnd(), IDS_HELP_CAPTION, problem, MB_OK);
}
