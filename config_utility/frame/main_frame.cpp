#include "config_utility/frame/main_frame.h"

#include <commctrl.h>

#include "common/win32/controls.h"
#include "common/win32/load_string.h"
#include "common/win32/window_icon.h"
#include "config_utility/core/frame_layout.h"
#include "config_utility/core/view_layout.h"
#include "config_utility/pages/page_commands.h"
#include "config_utility/shell/merovant_help.h"
#include "machine_control/core/machine_operations.h"
#include "resources/merovant/resource.h"

namespace {

constexpr char kFrameClass[] = "MerovantMainFrame";
// Overlapped with system menu and minimize box, thin border; the system adds
// the caption. No maximize box and no sizing border.
constexpr DWORD kFrameStyle = WS_BORDER | WS_SYSMENU | WS_MINIMIZEBOX;
static_assert(kFrameStyle == 0x008A0000);

const std::initializer_list<int> kDisplayGroup = {ID_DISPLAY_LCD, ID_DISPLAY_EXTERNAL, ID_DISPLAY_BOTH};
const std::initializer_list<int> kBlankGroup = {ID_SCREEN_BLANK_ENABLE, ID_SCREEN_BLANK_DISABLE};

// Menu items and their texts: single items and runs of consecutive ids.
struct MenuTextRange {
    int firstCommand;
    int lastCommand;
    UINT firstString;
};
constexpr MenuTextRange kMenuTexts[] = {
    {ID_PAGE_GLIDENUB, ID_PAGE_INFRARED, IDS_ITEM_GLIDENUB},
    {ID_PAGE_PARALLEL_PORT, ID_VIEW_REAR, IDS_ITEM_PARALLEL_PORT},
    {ID_VIEW_PORT_REPLICATOR, ID_VIEW_PORT_REPLICATOR, IDS_ITEM_PORT_REPLICATOR_VIEW},
    {ID_PAGE_ACCESSIBILITY, ID_HELP_MAIN_WINDOW, IDS_ITEM_ACCESSIBILITY},
};
constexpr int kMenuTitleCount = 6;

// The halves of a command's string: status text before the line break,
// tooltip after it.
std::string StatusHalf(const std::string& text) { return text.substr(0, text.find('\n')); }
std::string TooltipHalf(const std::string& text) {
    const auto brk = text.find('\n');
    return brk == std::string::npos ? std::string() : text.substr(brk + 1);
}

void SetMenuText(HMENU menu, UINT item, BOOL byPosition, const std::string& text) {
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_TYPE;
    info.fType = MFT_STRING;
    info.dwTypeData = const_cast<char*>(text.c_str());
    SetMenuItemInfoA(menu, item, byPosition, &info);
}

}  // namespace

bool CMainFrame::Create(int showCommand) {
    // The toolbar and status bar classes; InitCommonControlsEx is missing
    // from the common controls of Windows 95 and NT 4.0 as first shipped.
    InitCommonControls();
    if (!RegisterWindowClass(context_.instance, kFrameClass, 0, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1),
                             nullptr))
        return false;
    const FrameBounds r = MainFrameBounds({GetSystemMetrics(SM_CXBORDER), GetSystemMetrics(SM_CYBORDER),
                                       GetSystemMetrics(SM_CYCAPTION), GetSystemMetrics(SM_CYMENU),
                                       GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
    HMENU menu = LoadMenuA(context_.instance, MAKEINTRESOURCEA(IDR_MAINFRAME));
    // The title comes first, before any child window exists.
    if (!CreateWindowFor(context_.instance, kFrameClass, LoadStr(IDS_APP_TITLE).c_str(), kFrameStyle, 0, r.left,
                         r.top, r.width, r.height, nullptr, menu)) {
        if (menu != nullptr) DestroyMenu(menu);
        return false;
    }
    SetWindowIcon(hwnd(), context_.instance, IDR_MAINFRAME);
    SetMenuTexts();
    ShowWindow(hwnd(), showCommand);
    UpdateWindow(hwnd());
    CheckMenuCommand(GetMenu(hwnd()), ID_VIEW_FRONT, true);
    PostMessageA(hwnd(), kAfterFirstPaint, 0, 0);
    return true;
}

void CMainFrame::SetMenuTexts() {
    HMENU menu = GetMenu(hwnd());
    if (menu == nullptr) return;
    char language[16] = "";
    GetLocaleInfoA(LOCALE_SYSTEM_DEFAULT, LOCALE_ILANGUAGE, language, sizeof language);
    const bool pad = PadsMenuTitles(language);
    for (int position = 0; position < kMenuTitleCount; ++position) {
        std::string title = LoadStr(IDS_MENU_DEVICE_CONFIGURATION + position);
        if (pad) title = " " + title + " ";
        SetMenuText(menu, position, TRUE, title);
    }
    for (const MenuTextRange& range : kMenuTexts) {
        for (int command = range.firstCommand; command <= range.lastCommand; ++command)
            SetMenuText(menu, command, FALSE, LoadStr(range.firstString + (command - range.firstCommand)));
    }
    DrawMenuBar(hwnd());
}

LRESULT CMainFrame::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            return OnCreate() ? 0 : -1;
        case WM_SIZE:
            LayOut();
            return 0;
        case WM_COMMAND:
            OnCommand(LOWORD(wParam));
            return 0;
        case WM_TIMER:
            OnTimer(wParam);
            return 0;
        case WM_NOTIFY:
            if (OnNotify(*reinterpret_cast<NMHDR*>(lParam))) return 0;
            break;
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE) view_.ActivateTooltips();
            break;
        case WM_PALETTECHANGED:
            view_.OnPaletteChanged(reinterpret_cast<HWND>(wParam));
            return 0;
        case WM_QUERYNEWPALETTE:
            return view_.OnQueryNewPalette();
        case WM_MENUSELECT:
            OnMenuSelect(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HMENU>(lParam));
            return 0;
        case WM_HELP:
            if (lParam != 0) OnHelp(*reinterpret_cast<const HELPINFO*>(lParam));
            return TRUE;
        case kAfterFirstPaint:
            view_.CreateTooltips();
            return 0;
        case WM_TOOLBAR_HOTCOMMAND:
            ShowStatusText(static_cast<int>(wParam));
            return 0;
        case WM_CLOSE:
            Close();
            return 0;
        case WM_ENDSESSION:
            // The session ends with this answer: the program ends with it.
            if (wParam) Close();
            return 0;
        case WM_DESTROY:
            if (endsLoop_) PostQuitMessage(0);
            return 0;
        default:
            break;
    }
    return CWindow::HandleMessage(message, wParam, lParam);
}

bool CMainFrame::OnCreate() {
    std::uint8_t source = 0xFF;
    if (GetPowerSource(source) && ToolbarResourceFor(source) != 0) {
        if (LoadToolbarFor(source)) CheckPowerMode(source);
    }

    std::uint8_t display = 0xFF;
    if (GetCurDisplay(display)) {
        curDisplay_ = display;
        CheckDisplay(display);
    }
    std::uint8_t blank = 0xFF;
    if (GetScreenBlank(blank)) CheckScreenBlank(blank);

    SetTimer(hwnd(), kBlankTimer, kTimerPeriod, nullptr);
    SetTimer(hwnd(), kPowerTimer, kTimerPeriod, nullptr);

    statusBar_ = CreateStatusWindowA(WS_CHILD | WS_VISIBLE | CCS_BOTTOM, "", hwnd(), IDW_STATUS_BAR);
    if (statusBar_ == nullptr) return false;
    return view_.Create(hwnd(), ViewRect(), statusBar_);
}

// Nothing is asked and nothing is saved.
void CMainFrame::Close() {
    KillTimer(hwnd(), kBlankTimer);
    KillTimer(hwnd(), kPowerTimer);
    DestroyWindow(hwnd());
}

// The client area between the toolbar and the status bar.
RECT CMainFrame::ViewRect() const {
    RECT r;
    GetClientRect(hwnd(), &r);
    RECT child;
    if (toolbar_.hwnd() != nullptr && GetWindowRect(toolbar_.hwnd(), &child)) r.top += child.bottom - child.top;
    if (statusBar_ != nullptr && GetWindowRect(statusBar_, &child)) r.bottom -= child.bottom - child.top;
    return r;
}

bool CMainFrame::LoadToolbarFor(std::uint8_t powerSource) {
    const int resource = ToolbarResourceFor(powerSource);
    if (resource == 0) return false;
    if (toolbar_.hwnd() == nullptr && !toolbar_.Create(context_.instance, hwnd())) return false;
    if (!toolbar_.Load(context_.instance, resource)) return false;
    LayOut();
    return true;
}

void CMainFrame::LayOut() {
    if (toolbar_.hwnd() != nullptr) SendMessageA(toolbar_.hwnd(), TB_AUTOSIZE, 0, 0);
    if (statusBar_ != nullptr) SendMessageA(statusBar_, WM_SIZE, 0, 0);
    if (view_.hwnd() != nullptr) {
        const RECT r = ViewRect();
        MoveWindow(view_.hwnd(), r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
    }
}

void CMainFrame::CheckPowerMode(std::uint8_t powerSource) {
    const PowerModeGroup* group = PowerModeGroupFor(powerSource);
    if (group == nullptr) return;
    std::uint8_t mode = 0xFF;
    if (!GetPowerMode(group->selector, mode) || mode > 2) return;
    toolbar_.CheckOnly({group->commands[0], group->commands[1], group->commands[2]}, group->commands[mode]);
}

void CMainFrame::CheckDisplay(std::uint8_t display) {
    if (const int button = DisplayButtonFor(display)) toolbar_.CheckOnly(kDisplayGroup, button);
}

void CMainFrame::CheckScreenBlank(std::uint8_t state) {
    if (const int button = ScreenBlankButtonFor(state)) toolbar_.CheckOnly(kBlankGroup, button);
}

void CMainFrame::RestoreLcd() {
    context_.shell.ShowMessageBox(hwnd(), LoadStr(IDS_NO_MONITOR), MB_OK);
    SetCurDisplay(kDisplayLcd);
    curDisplay_ = kDisplayLcd;
    toolbar_.CheckOnly(kDisplayGroup, ID_DISPLAY_LCD);
}

// After a change of power source the toolbar is new; its display group is
// set again from the machine.
void CMainFrame::RereadDisplay() {
    std::uint8_t display = kDisplayLcd;  // a failed read counts as LCD
    GetCurDisplay(display);
    if (display == kDisplayExternal && !CheckMonitorConnect()) {
        RestoreLcd();
        return;
    }
    if (DisplayButtonFor(display) == 0) return;
    CheckDisplay(display);
    curDisplay_ = display;
}

void CMainFrame::SelectDisplay(int command) {
    switch (command) {
        case ID_DISPLAY_LCD:
            SetCurDisplay(kDisplayLcd);
            curDisplay_ = kDisplayLcd;
            break;
        case ID_DISPLAY_EXTERNAL:
            if (!CheckMonitorConnect()) {
                RestoreLcd();
                return;
            }
            SetCurDisplay(kDisplayExternal);
            curDisplay_ = kDisplayExternal;
            break;
        case ID_DISPLAY_BOTH:
            SetCurDisplay(kDisplayBoth);
            curDisplay_ = kDisplayBoth;
            break;
    }
    toolbar_.CheckOnly(kDisplayGroup, command);
}

void CMainFrame::OnTimer(UINT_PTR id) {
    if (id == kBlankTimer) {
        std::uint8_t state = 0xFF;
        if (GetScreenBlank(state)) CheckScreenBlank(state);
        return;
    }
    if (id != kPowerTimer) return;
    std::uint8_t source = lastPowerSource_;  // a failed read changes nothing
    GetPowerSource(source);
    if (source != lastPowerSource_) {
        lastPowerSource_ = source;
        if (LoadToolbarFor(source)) RereadDisplay();
    }
    CheckPowerMode(source);
}

void CMainFrame::OnCommand(int command) {
    switch (command) {
        case ID_DISPLAY_LCD:
        case ID_DISPLAY_EXTERNAL:
        case ID_DISPLAY_BOTH:
            SelectDisplay(command);
            return;
        case ID_SCREEN_BLANK_ENABLE:
        case ID_SCREEN_BLANK_DISABLE:
            SetScreenBlank(command == ID_SCREEN_BLANK_ENABLE ? 0 : 1);
            toolbar_.CheckOnly(kBlankGroup, command);
            return;
        case ID_VIEW_FRONT:
            view_.ShowFront();
            return;
        case ID_VIEW_REAR:
            view_.ShowRear();
            return;
        case ID_VIEW_PORT_REPLICATOR:
            view_.ShowPortReplicator();
            return;
        case ID_HELP_MAIN_WINDOW:
            ShowProgramHelp(context_, hwnd(), HELP_CONTEXT, HELP_CONTEXT_MAIN_WINDOW);
            return;
        case ID_POWER_SETTINGS:
            // The command line is read afresh each time.
            ReadConfigurationValue("Power", context_.power);
            break;
        default:
            break;
    }
    const PowerModeGroup* group = nullptr;
    std::uint8_t mode = 0;
    if (PowerModeOfCommand(command, group, mode)) {
        SetPowerMode(group->selector, mode);
        toolbar_.CheckOnly({group->commands[0], group->commands[1], group->commands[2]}, command);
        return;
    }
    if (const PageCommand* page = FindPageCommand(command); page != nullptr) {
        if (page->open != nullptr) page->open(context_, hwnd());
        view_.RefreshLampAfter(command);
    }
}

bool CMainFrame::OnNotify(NMHDR& header) {
    switch (header.code) {
        case TTN_GETDISPINFOA: {
            auto& info = reinterpret_cast<NMTTDISPINFOA&>(header);
            tooltip_ = TooltipHalf(LoadStr(static_cast<UINT>(header.idFrom)));
            info.lpszText = tooltip_.data();
            return true;
        }
        case TTN_GETDISPINFOW: {
            auto& info = reinterpret_cast<NMTTDISPINFOW&>(header);
            const std::string text = TooltipHalf(LoadStr(static_cast<UINT>(header.idFrom)));
            const int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
            tooltipWide_.assign(length > 0 ? length : 1, L'\0');
            if (length > 0) MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, tooltipWide_.data(), length);
            info.lpszText = tooltipWide_.data();
            return true;
        }
        default:
            return false;
    }
}

// F1 on a device button of the view shows that button's popup topic; F1
// anywhere else in the window (the picture, the switch buttons, the toolbar,
// an open menu) opens the contents.
void CMainFrame::OnHelp(const HELPINFO& info) {
    HWND item = static_cast<HWND>(info.hItemHandle);
    if (info.iContextType == HELPINFO_WINDOW && item != nullptr && view_.hwnd() != nullptr &&
        GetParent(item) == view_.hwnd() && SlotOfButton(GetDlgCtrlID(item))) {
        ShowProgramHelp(context_, hwnd(), HELP_CONTEXTPOPUP,
                        HELP_CONTEXT_CONTROL_BASE + static_cast<DWORD>(GetDlgCtrlID(item)));
        return;
    }
    ShowProgramHelp(context_, hwnd(), HELP_CONTEXT, HELP_CONTEXT_MAIN_WINDOW);
}

void CMainFrame::OnMenuSelect(UINT item, UINT flags, HMENU menu) {
    const bool closed = flags == 0xFFFF && menu == nullptr;
    ShowStatusText(closed || (flags & MF_POPUP) ? 0 : static_cast<int>(item));
}

void CMainFrame::ShowStatusText(int command) {
    if (statusBar_ == nullptr) return;
    const std::string text = command != 0 ? StatusHalf(LoadStr(command)) : std::string();
    SendMessageA(statusBar_, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(text.c_str()));
}
