#include "fuel_gauge/tray/fuel_window.h"

#include "common/win32/configuration_key.h"
#include "common/win32/controls.h"
#include "common/win32/gdi_guards.h"
#include "common/win32/help_request.h"
#include "common/win32/load_string.h"
#include "fuel_gauge/core/fuel_polling.h"
#include "fuel_gauge/core/fuel_tooltip.h"
#include "fuel_gauge/tray/about_box.h"
#include "fuel_gauge/tray/black_on_white.h"
#include "machine_control/core/machine_operations.h"
#include "machine_control/core/machine_values.h"
#include "resources/fuel/resource.h"

namespace {

constexpr HelpMessages kHelpMessages{IDS_HELP_NOT_SET_UP, IDS_HELP_NOT_FOUND, IDS_HELP_NOT_OPENED};

bool BitmapSize(HBITMAP bitmap, SIZE& size) {
    BITMAP info;
    if (bitmap == nullptr || GetObjectA(bitmap, sizeof info, &info) != sizeof info) return false;
    size = {info.bmWidth, info.bmHeight};
    return true;
}

}  // namespace

CFuelWindow::CFuelWindow(HINSTANCE instance, FuelShell& shell)
    : CDialog(IDD_FUEL), instance_(instance), shell_(shell), art_(instance) {}

BOOL CFuelWindow::OnInitDialog() {
    ExtendSystemMenu();
    SendMessageA(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(art_.ProgramIcon()));
    SendMessageA(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(art_.TrayIcon(IDI_FUEL_PROGRAM)));

    if (SetTimer(hwnd(), kFuelFastTimer, kFuelFastTimerMs, nullptr) == 0 ||
        SetTimer(hwnd(), kFuelSlowTimer, kFuelSlowTimerMs, nullptr) == 0) {
        EndDialog(hwnd(), IDABORT);
        return TRUE;
    }

    std::uint8_t systemMode = 0;
    GetCurSystemMode(systemMode);
    if (systemMode != 0) {
        for (int id : {IDC_FUEL_SUSPEND, IDC_FUEL_HIBERNATE, IDC_FUEL_MODE}) ShowWindow(GetDlgItem(hwnd(), id), SW_HIDE);
    } else {
        PlaceButtons();
    }

    SetWindowTextA(hwnd(), LoadStr(IDS_FUEL_TITLE).c_str());
    status_ = FuelStatus{};
    status_.systemMode = systemMode;

    PostMessageA(hwnd(), kFuelAddTrayIcon, 0, 0);
    return TRUE;
}

void CFuelWindow::ExtendSystemMenu() {
    HMENU menu = GetSystemMenu(hwnd(), FALSE);
    if (menu == nullptr) return;
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, IDM_FUEL_SYS_ABOUT, LoadStr(IDS_FUEL_SYS_ABOUT).c_str());
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, IDM_FUEL_SYS_HELP, LoadStr(IDS_FUEL_SYS_HELP).c_str());
    for (UINT item : {SC_SIZE, SC_RESTORE, SC_MAXIMIZE}) EnableMenuItem(menu, item, MF_BYCOMMAND | MF_GRAYED);
}

void CFuelWindow::PlaceButtons() {
    // The faces are bitmaps of a fixed size in pixels, the template is in
    // dialog units, which follow the font: the buttons take their faces'
    // size and stand kFuelButtonGap pixels apart, the pair centred where the
    // template puts it, in every language.
    HWND suspend = GetDlgItem(hwnd(), IDC_FUEL_SUSPEND);
    HWND hibernate = GetDlgItem(hwnd(), IDC_FUEL_HIBERNATE);
    SIZE suspendSize, hibernateSize;
    RECT cells[2];
    if (!BitmapSize(art_.Suspend().up.get(), suspendSize) || !BitmapSize(art_.Hibernate().up.get(), hibernateSize) ||
        !GetWindowRect(suspend, &cells[0]) || !GetWindowRect(hibernate, &cells[1]))
        return;
    MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(cells), 4);
    const int width = suspendSize.cx + kFuelButtonGap + hibernateSize.cx;
    const int left = (cells[0].left + cells[1].right - width) / 2;
    constexpr UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    SetWindowPos(suspend, nullptr, left, cells[0].top, suspendSize.cx, suspendSize.cy, flags);
    SetWindowPos(hibernate, nullptr, left + suspendSize.cx + kFuelButtonGap, cells[1].top, hibernateSize.cx,
                 hibernateSize.cy, flags);
}

bool CFuelWindow::OnCommand(int id, int code, HWND) {
    switch (id) {
        case IDC_FUEL_SUSPEND:
            if (code == BN_CLICKED) ConfirmPowerState(IDS_FUEL_CONFIRM_SUSPEND, kPowerStateSuspend);
            return true;
        case IDC_FUEL_HIBERNATE:
            if (code == BN_CLICKED) ConfirmPowerState(IDS_FUEL_CONFIRM_HIBERNATE, kPowerStateHibernation);
            return true;
        case ID_FUEL_ABOUT:
            ShowAbout();
            return true;
        case ID_FUEL_HELP:
            ReadConfigurationValue("FuelHelp", helpPath_);
            OpenHelp();
            return true;
        case ID_FUEL_CLOSE:
            EndDialog(hwnd(), IDCANCEL);
            return true;
        case ID_FUEL_RESTORE:
            ShowWindow(hwnd(), SW_RESTORE);
            return true;
        default:
            return false;
    }
}

void CFuelWindow::ConfirmPowerState(UINT textId, std::uint8_t state) {
    const int answer = shell_.ShowMessageBox(hwnd(), LoadStr(textId), LoadStr(IDS_FUEL_INFORMATION),
                                             MB_OKCANCEL | MB_ICONINFORMATION);
    if (answer == IDOK) SetSysPowerState(state);  // the machine answers by going to sleep, or not at all
}

void CFuelWindow::OnTimer(UINT_PTR id) {
    if (id != kFuelFastTimer && id != kFuelSlowTimer) return;
    const FuelTick tick = PollFuel(status_, static_cast<unsigned>(id));
    if (tick.windowPart) {
        SetItemText(hwnd(), IDC_FUEL_PERCENT,
                    tick.chargeUnknown ? " " : ExpandPercent(LoadStr(IDS_FUEL_PERCENT), tick.windowPercent).c_str());
        if (HBITMAP picture = art_.BatteryPicture(tick.picture))
            SendDlgItemMessageA(hwnd(), IDC_FUEL_BATTERY, STM_SETIMAGE, IMAGE_BITMAP,
                                reinterpret_cast<LPARAM>(picture));
    }
    if (!tick.trayUpdate) return;
    ShowModeIcon(tick.modeIcon);
    UpdateTray(tick.trayIcon, BuildTooltip(LoadStr(tick.tooltipPrefix),
                                           ChargeSuffix(tick.suffixUnknown, tick.suffixPercent)));
}

std::string CFuelWindow::ChargeSuffix(bool unknown, unsigned percent) const {
    return unknown ? LoadStr(IDS_FUEL_TIP_UNKNOWN) : ExpandPercent(LoadStr(IDS_FUEL_TIP_PERCENT), percent);
}

void CFuelWindow::ShowModeIcon(int icon) {
    SendDlgItemMessageA(hwnd(), IDC_FUEL_MODE, STM_SETICON, reinterpret_cast<WPARAM>(art_.ModeIcon(icon)), 0);
    shownModeIcon_ = icon;
}

void CFuelWindow::UpdateTray(int icon, const std::string& tip) { tray_.Modify(art_.TrayIcon(icon), tip.c_str()); }

void CFuelWindow::OnDestroy() {
    KillTimer(hwnd(), kFuelFastTimer);
    KillTimer(hwnd(), kFuelSlowTimer);
    tray_.Delete();
    if (helpOpened_) shell_.CloseHelp(hwnd());
    helpOpened_ = false;
}

bool CFuelWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
    if (PaintBlackOnWhite(message, wParam, result)) return true;
    if (tray_.OnShellMessage(message)) return false;
    switch (message) {
        case WM_DRAWITEM: {
            const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (item.CtlType == ODT_STATIC && item.CtlID == IDC_FUEL_FRAME) {
                // Black whatever the colour scheme's window frame is.
                FrameRect(item.hDC, &item.rcItem, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
            } else if (item.CtlType == ODT_BUTTON) {
                DrawButton(item);
            } else {
                return false;
            }
            result = TRUE;
            return true;
        }
        case WM_LBUTTONDBLCLK:
            SwitchPowerMode(POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
            return false;
        case WM_SYSCOMMAND:
            if (!OnSystemCommand(wParam)) return false;
            result = TRUE;  // handled: the dialog manager does nothing more with it
            return true;
        case kFuelAddTrayIcon:
            if (!tray_.shown())
                tray_.Add(hwnd(), art_.TrayIcon(IDI_FUEL_PROGRAM),
                          BuildTooltip(LoadStr(IDS_FUEL_APPLICATION), "").c_str());
            result = TRUE;
            return true;
        case kFuelTrayMessage:
            if (wParam == kFuelTrayIconId) OnTrayMessage(lParam);
            return false;
        default:
            return false;
    }
}

void CFuelWindow::DrawButton(const DRAWITEMSTRUCT& item) {
    const ButtonFaces& faces = item.CtlID == IDC_FUEL_SUSPEND ? art_.Suspend() : art_.Hibernate();
    HBITMAP face = faces.up.get();
    if (item.itemState & ODS_SELECTED) face = faces.down.get();
    else if (item.itemState & ODS_FOCUS) face = faces.focus.get();
    SIZE size;
    if (!BitmapSize(face, size)) return;
    MemoryDc source(item.hDC);
    if (!source) return;
    SelectedObject selected(source.get(), face);
    BitBlt(item.hDC, item.rcItem.left, item.rcItem.top, size.cx, size.cy, source.get(), 0, 0, SRCCOPY);
}

void CFuelWindow::SwitchPowerMode(POINT client) {
    RECT icon;
    if (!GetWindowRect(GetDlgItem(hwnd(), IDC_FUEL_MODE), &icon)) return;
    POINT screen = client;
    ClientToScreen(hwnd(), &screen);
    // Strictly inside: a point on the icon's edge is outside.
    if (screen.x <= icon.left || screen.x >= icon.right || screen.y <= icon.top || screen.y >= icon.bottom) return;

    ModeSwitch next{};
    if (!NextModeSwitch(status_.source, shownModeIcon_, next)) return;
    const FuelCharge charge = ReadChargeForTray(status_);
    SetPowerMode(next.selector, next.mode);  // the next tick sees whether the machine took it
    ShowModeIcon(next.icon);
    UpdateTray(TrayIconFor(status_.source, charge.percent),
               BuildTooltip(LoadStr(next.prefix), ChargeSuffix(charge.unknown, charge.percent)));
}

bool CFuelWindow::OnSystemCommand(WPARAM command) {
    ReadConfigurationValue("FuelHelp", helpPath_);
    switch (command & 0xFFF0) {
        case IDM_FUEL_SYS_ABOUT:
            ShowAbout();
            return true;
        case IDM_FUEL_SYS_HELP:
            OpenHelp();
            return true;
        case SC_MINIMIZE:
            // The gauge lives on in the tray only.
            ShowWindow(hwnd(), SW_MINIMIZE);
            ShowWindow(hwnd(), SW_HIDE);
            return true;
        default:
            return false;
    }
}

void CFuelWindow::OnTrayMessage(LPARAM mouse) {
    switch (static_cast<UINT>(mouse)) {
        case WM_LBUTTONDBLCLK:
            ShowWindow(hwnd(), SW_SHOWNORMAL);
            SetForegroundWindow(hwnd());
            break;
        case WM_RBUTTONDOWN:
            ShowTrayMenu();
            break;
        default:
            break;
    }
}

void CFuelWindow::ShowTrayMenu() {
    UniqueMenu menu(LoadMenuA(instance_, MAKEINTRESOURCEA(IDR_FUEL_TRAY_MENU)));
    HMENU popup = menu ? GetSubMenu(menu.get(), 0) : nullptr;
    if (popup == nullptr) return;
    const struct {
        UINT command;
        UINT text;
    } items[] = {{ID_FUEL_ABOUT, IDS_FUEL_MENU_ABOUT},
                 {ID_FUEL_HELP, IDS_FUEL_MENU_HELP},
                 {ID_FUEL_CLOSE, IDS_FUEL_MENU_CLOSE},
                 {ID_FUEL_RESTORE, IDS_FUEL_MENU_RESTORE}};
    for (const auto& item : items)
        ModifyMenuA(popup, item.command, MF_BYCOMMAND | MF_STRING, item.command, LoadStr(item.text).c_str());
    POINT cursor{};
    GetCursorPos(&cursor);
    SetForegroundWindow(hwnd());
    TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_LEFTBUTTON, cursor.x, cursor.y, 0, hwnd(), nullptr);
    // Lets the menu close when the user clicks elsewhere (the tray menu rule).
    PostMessageA(hwnd(), WM_NULL, 0, 0);
}

void CFuelWindow::ShowAbout() {
    CAboutBox about;
    about.DoModal(instance_, hwnd());
}

void CFuelWindow::OpenHelp() {
    const std::string problem = RequestHelp(helpPath_, kHelpMessages, [&] { return shell_.OpenHelp(hwnd(), helpPath_); });
    if (problem.empty()) {
        helpOpened_ = true;
        return;
    }
    shell_.ShowMessageBox(hwnd(), problem, LoadStr(IDS_FUEL_APPLICATION), MB_OK);
}
