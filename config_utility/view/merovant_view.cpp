#include "config_utility/view/merovant_view.h"

#include <commctrl.h>

#include "common/win32/controls.h"
#include "common/win32/gdi_guards.h"
#include "common/win32/load_string.h"
#include "machine_control/core/machine_operations.h"
#include "resources/merovant/resource.h"

namespace {

constexpr char kViewClass[] = "MerovantView";
// A button's own procedure and its view, kept on the button.
constexpr char kButtonProcProperty[] = "MerovantButtonProc";
constexpr char kViewProperty[] = "MerovantView";

// The artwork's light grey, the background of icons and lamps.
constexpr COLORREF kArtworkFace = RGB(192, 192, 192);

// A device button's picture as an icon whose light grey is transparent, so
// that it sits on the button whatever the button's face looks like.
HICON LoadButtonIcon(HINSTANCE instance, int id) {
    UniqueBitmap colour(static_cast<HBITMAP>(LoadImageA(instance, MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, 0)));
    BITMAP size;
    if (!colour || GetObjectA(colour.get(), sizeof size, &size) == 0) return nullptr;
    UniqueBitmap mask(CreateBitmap(size.bmWidth, size.bmHeight, 1, 1, nullptr));
    MemoryDc source(nullptr);
    MemoryDc target(nullptr);
    if (!mask || !source || !target) return nullptr;
    {
        SelectedObject sourceBitmap(source.get(), colour.get());
        SelectedObject targetBitmap(target.get(), mask.get());
        // The mask is 1 where the artwork is light grey ...
        SetBkColor(source.get(), kArtworkFace);
        BitBlt(target.get(), 0, 0, size.bmWidth, size.bmHeight, source.get(), 0, 0, SRCCOPY);
        // ... and the picture black there (DSna: picture AND NOT mask).
        SetBkColor(source.get(), RGB(255, 255, 255));
        SetTextColor(source.get(), RGB(0, 0, 0));
        constexpr DWORD kDsna = 0x00220326;
        BitBlt(source.get(), 0, 0, size.bmWidth, size.bmHeight, target.get(), 0, 0, kDsna);
    }
    // CreateIconIndirect copies the two bitmaps, deselected by now.
    ICONINFO info{TRUE, 0, 0, mask.get(), colour.get()};
    return CreateIconIndirect(&info);
}

HBITMAP LoadLampBitmap(HINSTANCE instance, int id) {
    // The artwork's light grey becomes the button face.
    return static_cast<HBITMAP>(
        LoadImageA(instance, MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS));
}

}  // namespace

bool CMerovantView::Create(HWND frame, const RECT& rect, HWND statusBar) {
    statusBar_ = statusBar;
    if (!RegisterWindowClass(context_.instance, kViewClass, 0, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1),
                             nullptr))
        return false;
    if (!CreateWindowFor(context_.instance, kViewClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, rect.left,
                         rect.top, rect.right - rect.left, rect.bottom - rect.top, frame,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDW_MACHINE_VIEW))))
        return false;
    return CreateControls();
}

HWND CMerovantView::CreateChild(const char* className, DWORD style, const ViewRect& r, int id) {
    return CreateWindowExA(0, className, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style, r.left, r.top,
                           r.right - r.left, r.bottom - r.top, hwnd(),
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), context_.instance, nullptr);
}

bool CMerovantView::CreateControls() {
    RECT client;
    GetClientRect(hwnd(), &client);
    width_ = client.right;
    height_ = client.bottom;

    const ViewRect p = PictureRect(width_, height_);
    if (!picture_.Create(context_.instance, hwnd(), IDC_VIEW_PICTURE, {p.left, p.top, p.right, p.bottom}))
        return false;

    lampOn_.reset(LoadLampBitmap(context_.instance, IDB_LAMP_ON));
    lampOff_.reset(LoadLampBitmap(context_.instance, IDB_LAMP_OFF));
    for (int slot = 0; slot < kDeviceSlotCount; ++slot) {
        if (slot == kUncreatedSlot) continue;  // its place stays empty
        const DeviceSlot& s = kDeviceSlots[slot];
        HWND button = CreateChild("BUTTON", BS_PUSHBUTTON | BS_ICON, DeviceButtonRect(slot, width_), s.button);
        if (button == nullptr) return false;
        buttonImages_[slot].reset(LoadButtonIcon(context_.instance, s.bitmap));
        SendMessageA(button, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(buttonImages_[slot].get()));
        if (CreateChild("STATIC", SS_BITMAP | SS_CENTERIMAGE, LampRect(slot, width_), s.lamp) == nullptr)
            return false;
    }
    for (int slot = 0; slot < kDeviceSlotCount; ++slot) {
        if (slot != kUncreatedSlot) RefreshLamp(slot);
    }

    HWND strip = CreateChild("STATIC", SS_BITMAP, SwitchStripRect(width_, height_), IDC_VIEW_STRIP);
    if (strip == nullptr) return false;
    strip_.reset(static_cast<HBITMAP>(
        LoadImageA(context_.instance, MAKEINTRESOURCEA(IDB_VIEW_STRIP), IMAGE_BITMAP, 0, 0, 0)));
    SendMessageA(strip, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(strip_.get()));
    for (int i = 0; i < kViewSwitchCount; ++i) {
        const ViewSwitch& v = kViewSwitches[i];
        LoadPaletteBitmap(context_.instance, v.up, switchUp_[i]);
        LoadPaletteBitmap(context_.instance, v.down, switchDown_[i]);
        if (CreateChild("BUTTON", BS_OWNERDRAW, ViewSwitchRect(i, width_), v.button) == nullptr) return false;
    }
    // The strip lies behind the switch buttons.
    SetWindowPos(strip, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    // Every button tells the view about the mouse before it acts.
    for (HWND child = GetWindow(hwnd(), GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        char className[16];
        if (GetClassNameA(child, className, sizeof className) == 0 || lstrcmpiA(className, "Button") != 0) continue;
        const LONG_PTR previous = SetWindowLongPtrA(child, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ButtonProc));
        SetPropA(child, kButtonProcProperty, reinterpret_cast<HANDLE>(previous));
        SetPropA(child, kViewProperty, static_cast<HANDLE>(this));
    }
    picture_.ShowBitmap(context_.instance, kViewSwitches[0].picture);
    HoldDown(0);
    return true;
}

void CMerovantView::CreateTooltips() {
    if (tooltip_ != nullptr) return;
    tooltip_ = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, hwnd(), nullptr, context_.instance, nullptr);
    if (tooltip_ == nullptr) {
        context_.shell.ShowMessageBox(hwnd(), LoadStr(IDS_NO_TOOLTIPS), MB_OK);
        return;
    }
    for (const DeviceSlot& s : kDeviceSlots)
        if (HWND button = GetDlgItem(hwnd(), s.button)) AddTool(button, s.tooltip);
    for (const ViewSwitch& v : kViewSwitches) AddTool(GetDlgItem(hwnd(), v.button), v.tooltip);
    ActivateTooltips();
}

void CMerovantView::ActivateTooltips() {
    if (tooltip_ != nullptr) SendMessageA(tooltip_, TTM_ACTIVATE, TRUE, 0);
}

void CMerovantView::AddTool(HWND control, int text) {
    const std::string tip = LoadStr(text);
    TOOLINFOA info{};
    info.cbSize = TTTOOLINFOA_V1_SIZE;
    info.uFlags = TTF_IDISHWND;
    info.hwnd = hwnd();
    info.uId = reinterpret_cast<UINT_PTR>(control);
    info.lpszText = const_cast<char*>(tip.c_str());
    SendMessageA(tooltip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
}

LRESULT CALLBACK CMerovantView::ButtonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto previous = reinterpret_cast<WNDPROC>(GetPropA(button, kButtonProcProperty));
    if (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) {
        if (auto* view = static_cast<CMerovantView*>(GetPropA(button, kViewProperty)))
            view->OnButtonMouse(button, message, wParam, lParam);
    } else if (message == WM_NCDESTROY) {
        RemovePropA(button, kButtonProcProperty);
        RemovePropA(button, kViewProperty);
    }
    return previous != nullptr ? CallWindowProcA(previous, button, message, wParam, lParam)
                               : DefWindowProcA(button, message, wParam, lParam);
}

void CMerovantView::OnButtonMouse(HWND button, UINT message, WPARAM wParam, LPARAM lParam) {
    RelayToTooltip(button, message, wParam, lParam);
    const int id = GetDlgCtrlID(button);
    const auto view = ViewSwitchOfButton(id);
    if (message == WM_MOUSEMOVE) {
        SetHint(id == IDC_VIEW_SYSTEM_INFORMATION ? IDS_HINT_SYSTEM_INFORMATION
                : id == IDC_VIEW_POWER           ? IDS_HINT_POWER
                : id == IDC_VIEW_PCI             ? IDS_HINT_PCI
                                                 : 0);
        if (view && GetFocus() != button) {
            SetFocus(button);
            InvalidateRect(button, nullptr, FALSE);
        }
    } else if (message == WM_LBUTTONDOWN && view) {
        HoldDown(*view);
    }
}

void CMerovantView::RelayToTooltip(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (tooltip_ == nullptr) return;
    MSG relayed{window, message, wParam, lParam, static_cast<DWORD>(GetMessageTime()), {}};
    GetCursorPos(&relayed.pt);
    SendMessageA(tooltip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}

void CMerovantView::SetHint(int text) {
    if (statusBar_ == nullptr) return;
    const std::string hint = text != 0 ? LoadStr(text) : std::string(" ");
    SendMessageA(statusBar_, SB_SETTEXTA, SBT_NOBORDERS, reinterpret_cast<LPARAM>(hint.c_str()));
}

void CMerovantView::HoldDown(int index) {
    if (index == viewButton_ && (SendDlgItemMessageA(hwnd(), kViewSwitches[index].button, BM_GETSTATE, 0, 0) &
                                 BST_PUSHED))
        return;  // already held down
    viewButton_ = index;
    for (int i = 0; i < kViewSwitchCount; ++i) {
        HWND button = GetDlgItem(hwnd(), kViewSwitches[i].button);
        SendMessageA(button, BM_SETSTATE, i == index ? TRUE : FALSE, 0);
        InvalidateRect(button, nullptr, FALSE);
    }
}

void CMerovantView::ShowPicture(int index) {
    HoldDown(index);
    picture_.ShowBitmap(context_.instance, kViewSwitches[index].picture);
    HMENU menu = GetMenu(GetParent(hwnd()));
    for (const ViewSwitch& v : kViewSwitches) CheckMenuCommand(menu, v.menuCommand, &v == &kViewSwitches[index]);
}

void CMerovantView::RefreshLamp(int slot) {
    if (slot < 0 || slot >= kDeviceSlotCount) return;
    bool& lamp = lamps_[slot];
    std::uint8_t answer = 0xFF;
    switch (kDeviceSlots[slot].rule) {
        case LampRule::kAlwaysOn:
            lamp = true;
            break;
        case LampRule::kAlwaysOff:
            lamp = false;
            break;
        case LampRule::kGlidenub:
            if (GetGlidenubStatus(answer)) lamp = LampFromGlidenub(answer).value_or(lamp);
            break;
        case LampRule::kParallelPort: {
            std::uint16_t x;
            std::uint8_t y, z, w;
            if (GetParallPortOpMode(answer, x, y, z, w)) lamp = LampFromPortStatus(answer);
            break;
        }
        case LampRule::kSerialPort:
            if (GetSerialPortStatus(0, answer)) lamp = LampFromPortStatus(answer);
            break;
        case LampRule::kFnKeyLock:
            if (GetFnKeyLockstatus(answer)) lamp = LampFromSwitch(answer);
            break;
        case LampRule::kInfrared:
            if (GetInfraredStatus(answer)) lamp = LampFromSwitch(answer);
            break;
    }
    ShowLamp(slot);
}

void CMerovantView::RefreshLampAfter(int command) {
    if (const auto slot = LampSlotOfCommand(command)) RefreshLamp(*slot);
}

void CMerovantView::ShowLamp(int slot) {
    SendDlgItemMessageA(hwnd(), kDeviceSlots[slot].lamp, STM_SETIMAGE, IMAGE_BITMAP,
                        reinterpret_cast<LPARAM>(lampBitmap(lamps_[slot])));
}

void CMerovantView::OnCommand(int id) {
    if (const auto view = ViewSwitchOfButton(id)) {
        ShowPicture(*view);
        return;
    }
    const auto slot = SlotOfButton(id);
    if (!slot || kDeviceSlots[*slot].command == 0) return;
    // The frame dispatches the page through its table and refreshes the lamp
    // afterwards; two pages keep a hint in the status bar while they are open.
    const int hint = id == IDC_VIEW_SYSTEM_INFORMATION ? IDS_HINT_SYSTEM_INFORMATION
                     : id == IDC_VIEW_PCI              ? IDS_HINT_PCI
                                                       : 0;
    if (hint != 0) SetHint(hint);
    SendMessageA(GetParent(hwnd()), WM_COMMAND, kDeviceSlots[*slot].command, 0);
    if (hint != 0) SetHint(0);
}

void CMerovantView::OnDrawItem(const DRAWITEMSTRUCT& item) {
    const auto index = ViewSwitchOfButton(static_cast<int>(item.CtlID));
    if (!index) return;
    const bool down = (item.itemState & ODS_SELECTED) != 0;
    const PaletteBitmap& image = down && switchDown_[*index].bitmap ? switchDown_[*index] : switchUp_[*index];
    if (!image.bitmap) return;
    SelectedPalette palette(item.hDC, image.palette.get(), false);
    if (image.palette) RealizePalette(item.hDC);
    MemoryDc memory(item.hDC);
    if (!memory) return;
    SelectedObject selected(memory.get(), image.bitmap.get());
    BitBlt(item.hDC, item.rcItem.left, item.rcItem.top, image.width, image.height, memory.get(), 0, 0, SRCCOPY);
}

LRESULT CMerovantView::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) RelayToTooltip(hwnd(), message, wParam, lParam);
    switch (message) {
        case WM_MOUSEMOVE:
            SetHint(0);
            return 0;
        case WM_COMMAND:
            if (HIWORD(wParam) == BN_CLICKED) OnCommand(LOWORD(wParam));
            return 0;
        case WM_DRAWITEM:
            OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        case WM_DESTROY:
            if (tooltip_ != nullptr) DestroyWindow(tooltip_);
            tooltip_ = nullptr;
            break;
        default:
            break;
    }
    return CWindow::HandleMessage(message, wParam, lParam);
}
