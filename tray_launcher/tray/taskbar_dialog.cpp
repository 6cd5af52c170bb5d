#include "tray_launcher/tray/taskbar_dialog.h"

#include "common/win32/load_string.h"
#include "resources/taskbar/resource.h"
#include "tray_launcher/core/launcher_commands.h"
#include "tray_launcher/tray/tray_menus.h"

namespace {

// Holds the left-click menu back until the double-click time has passed.
constexpr UINT_PTR kMenuTimer = 1;

}  // namespace

CTaskbarDialog::CTaskbarDialog(HINSTANCE instance, TaskbarShell& shell)
    : CDialog(IDD_TASKBAR), instance_(instance), shell_(shell) {}

BOOL CTaskbarDialog::OnInitDialog() {
    SetWindowTextA(hwnd(), LoadStr(IDS_TASKBAR_TITLE).c_str());
    icon_ = LoadIconA(instance_, MAKEINTRESOURCEA(IDI_TASKBAR_TRAY));
    smallIcon_.reset(static_cast<HICON>(LoadImageA(instance_, MAKEINTRESOURCEA(IDI_TASKBAR_TRAY), IMAGE_ICON,
                                                   GetSystemMetrics(SM_CXSMICON),
                                                   GetSystemMetrics(SM_CYSMICON), 0)));
    HICON small = smallIcon_ ? smallIcon_.get() : icon_;
    SendMessageA(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
    SendMessageA(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));

    // The commands' lines, read once for the window's life; missing values
    // stay empty.
    ConfigurationKey key;
    if (key.Open()) {
        key.ReadString("Program", program_);
        key.ReadString("CurrentPath", currentPath_);
    }

    trayIcon_.Add(hwnd(), small, LoadStr(IDS_TRAY_TIP).c_str());

    // Minimised, and never shown: WM_WINDOWPOSCHANGING keeps every show
    // (this one and the dialog box's own first show) from making it visible,
    // WM_QUERYOPEN keeps the dialog box's first show from restoring it.
    ShowWindow(hwnd(), SW_MINIMIZE);
    return TRUE;
}

bool CTaskbarDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
    switch (message) {
        case kTaskbarIconMessage:
            if (wParam == kTaskbarIconId) OnIconMessage(LOWORD(lParam));
            return false;
        case WM_WINDOWPOSCHANGING:
            reinterpret_cast<WINDOWPOS*>(lParam)->flags &= ~SWP_SHOWWINDOW;
            return false;
        case WM_QUERYOPEN:
            SetWindowLongPtrA(hwnd(), DWLP_MSGRESULT, FALSE);
            result = TRUE;
            return true;
        case WM_PAINT:
            if (!IsIconic(hwnd())) return false;
            PaintMinimised();
            result = TRUE;
            return true;
        case WM_QUERYDRAGICON:
            result = reinterpret_cast<INT_PTR>(icon_);
            return true;
        default:
            // The shell restarted: the icon is added again.
            trayIcon_.OnShellMessage(message);
            return false;
    }
}

// The notification area sends a double-click as button down, up, double-click,
// up. A single click opens the menu once the double-click time has passed
// without a second click; a double-click starts merovant and opens no menu
// (a menu open at the second click would take it).
void CTaskbarDialog::OnIconMessage(UINT mouseMessage) {
    switch (mouseMessage) {
        case WM_LBUTTONDOWN:
            GetCursorPos(&clickedAt_);
            SetTimer(hwnd(), kMenuTimer, GetDoubleClickTime(), nullptr);
            break;
        case WM_LBUTTONDBLCLK:
            KillTimer(hwnd(), kMenuTimer);
            StartMerovant(program_);
            break;
        case WM_RBUTTONDOWN: {
            KillTimer(hwnd(), kMenuTimer);
            UniqueMenu menu = LoadTrayMenu(instance_, IDR_TRAY_RIGHT_MENU);
            if (HMENU popup = GetSubMenu(menu.get(), 0)) {
                SetDisableMenuText(popup);
                POINT cursor{};
                GetCursorPos(&cursor);
                TrackMenu(popup, cursor);
            }
            break;
        }
        default:
            break;
    }
}

void CTaskbarDialog::OnTimer(UINT_PTR id) {
    if (id != kMenuTimer) return;
    KillTimer(hwnd(), kMenuTimer);
    UniqueMenu menu = LoadTrayMenu(instance_, IDR_TRAY_LEFT_MENU);
    if (HMENU popup = GetSubMenu(menu.get(), 0)) {
        SetLauncherMenuTexts(popup);
        TrackMenu(popup, clickedAt_);
    }
}

void CTaskbarDialog::TrackMenu(HMENU popup, POINT at) {
    // The window must be in front, or the menu stays open when the user
    // clicks elsewhere; the message after it lets the menu close at once.
    SetForegroundWindow(hwnd());
    TrackPopupMenu(popup, TPM_LEFTBUTTON, at.x, at.y, 0, hwnd(), nullptr);
    PostMessageA(hwnd(), WM_NULL, 0, 0);
}

bool CTaskbarDialog::OnCommand(int id, int /*code*/, HWND /*control*/) {
    if (id == ID_TRAY_DISABLE) {
        DisableTrayIcon();
        return true;
    }
    const LauncherCommand* command = FindLauncherCommand(static_cast<unsigned>(id));
    if (command == nullptr) return false;
    if (command->fixedLine != nullptr)
        shell_.StartProgram(command->fixedLine, nullptr);
    else
        StartMerovant(LauncherCommandLine(*command, program_));
    return true;
}

void CTaskbarDialog::StartMerovant(const std::string& line) {
    if (program_[0] != '\0' && shell_.StartProgram(line.c_str(), currentPath_[0] != '\0' ? currentPath_ : nullptr))
        return;
    shell_.ShowMessageBox(hwnd(), LoadStr(IDS_PROGRAM_UNUSABLE), LoadStr(IDS_TRAY_TIP),
                          MB_OK | MB_ICONEXCLAMATION | MB_SETFOREGROUND);
}

void CTaskbarDialog::DisableTrayIcon() {
    trayIcon_.Delete();
    ConfigurationKey key;
    if (key.Open()) key.WriteString("CUTray", "0");
    PostMessageA(hwnd(), WM_CLOSE, 0, 0);
}

void CTaskbarDialog::PaintMinimised() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd(), &paint);
    SendMessageA(hwnd(), WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT client;
    GetClientRect(hwnd(), &client);
    const int x = (client.right - client.left - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - client.top - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(dc, x, y, icon_);
    EndPaint(hwnd(), &paint);
}

// However the window goes (DestroyWindow, or a WM_DESTROY that merovant's
// Customize page or the installer posts), the icon goes with it and the
// dialog's loop ends, and with it the program.
void CTaskbarDialog::OnDestroy() {
    KillTimer(hwnd(), kMenuTimer);
    trayIcon_.Delete();
    EndDialog(hwnd(), IDCANCEL);
}
