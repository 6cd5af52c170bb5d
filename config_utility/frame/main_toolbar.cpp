#include "config_utility/frame/main_toolbar.h"

#include <commctrl.h>
#include <windowsx.h>

#include "common/win32/controls.h"
#include "config_utility/core/frame_layout.h"
#include "config_utility/core/toolbar_resource.h"
#include "resources/merovant/resource.h"

namespace {

bool FindToolbarResource(HINSTANCE instance, int id, ToolbarResource& toolbar) {
    HRSRC found = FindResourceA(instance, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(kRtToolbar));
    if (found == nullptr) return false;
    HGLOBAL loaded = LoadResource(instance, found);
    if (loaded == nullptr) return false;
    return ParseToolbarResource(LockResource(loaded), SizeofResource(instance, found), toolbar);
}

BYTE ButtonStyle(ToolbarEntryStyle style) {
    switch (style) {
        case ToolbarEntryStyle::CheckGroup: return TBSTYLE_CHECKGROUP;
        case ToolbarEntryStyle::Button: return TBSTYLE_BUTTON;
        case ToolbarEntryStyle::Separator: break;
    }
    return TBSTYLE_SEP;
}

constexpr char kToolbarObject[] = "MerovantToolbar";
constexpr UINT kLeaveTimerInterval = 100;

}  // namespace

bool CMainToolbar::Create(HINSTANCE instance, HWND parent) {
    hwnd_ = CreateWindowExA(0, TOOLBARCLASSNAMEA, nullptr, WS_CHILD | WS_VISIBLE | CCS_TOP | TBSTYLE_TOOLTIPS,
                            0, 0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDW_TOOLBAR)),
                            instance, nullptr);
    if (hwnd_ == nullptr) return false;
    SendMessageA(hwnd_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SetPropA(hwnd_, kToolbarObject, this);
    original_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CMainToolbar::SubclassProcedure)));
    return true;
}

LRESULT CALLBACK CMainToolbar::SubclassProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = static_cast<CMainToolbar*>(GetPropA(hwnd, kToolbarObject));
    if (self == nullptr) return DefWindowProcA(hwnd, message, wParam, lParam);
    const WNDPROC original = self->original_;
    switch (message) {
        case WM_MOUSEMOVE:
            self->SetHotCommand(self->CommandAt({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}));
            break;
        case WM_TIMER:
            if (wParam == kToolbarLeaveTimer) {
                self->CheckMouseLeft();
                return 0;
            }
            break;
        case WM_NCDESTROY:
            KillTimer(hwnd, kToolbarLeaveTimer);
            RemovePropA(hwnd, kToolbarObject);
            SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
            self->hwnd_ = nullptr;
            break;
        default:
            break;
    }
    return CallWindowProcA(original, hwnd, message, wParam, lParam);
}

int CMainToolbar::CommandAt(POINT point) const {
    const int count = static_cast<int>(SendMessageA(hwnd_, TB_BUTTONCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        TBBUTTON button{};
        if (!SendMessageA(hwnd_, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button))) continue;
        if ((button.fsStyle & TBSTYLE_SEP) || (button.fsState & TBSTATE_HIDDEN)) continue;
        RECT rect{};
        if (SendMessageA(hwnd_, TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&rect)) && PtInRect(&rect, point))
            return button.idCommand;
    }
    return 0;
}

void CMainToolbar::SetHotCommand(int command) {
    if (command == hotCommand_) return;
    hotCommand_ = command;
    if (command != 0)
        SetTimer(hwnd_, kToolbarLeaveTimer, kLeaveTimerInterval, nullptr);
    else
        KillTimer(hwnd_, kToolbarLeaveTimer);
    SendMessageA(GetParent(hwnd_), WM_TOOLBAR_HOTCOMMAND, static_cast<WPARAM>(command), 0);
}

void CMainToolbar::CheckMouseLeft() {
    POINT cursor{};
    GetCursorPos(&cursor);
    if (WindowFromPoint(cursor) == hwnd_ && IsWindowVisible(hwnd_)) {
        ScreenToClient(hwnd_, &cursor);
        SetHotCommand(CommandAt(cursor));
    } else {
        SetHotCommand(0);
    }
}

bool CMainToolbar::Load(HINSTANCE instance, int resourceId) {
    ToolbarResource layout;
    if (!FindToolbarResource(instance, resourceId, layout)) return false;
    // Black, greys and white of the images follow the system's button colours.
    UniqueBitmap images(CreateMappedBitmap(instance, resourceId, 0, nullptr, 0));
    if (!images) return false;

    while (SendMessageA(hwnd_, TB_DELETEBUTTON, 0, 0)) {
    }
    if (bitmap_) {
        TBREPLACEBITMAP replace{};
        replace.hInstOld = nullptr;
        replace.nIDOld = reinterpret_cast<UINT_PTR>(bitmap_.get());
        replace.hInstNew = nullptr;
        replace.nIDNew = reinterpret_cast<UINT_PTR>(images.get());
        replace.nButtons = static_cast<int>(layout.count);
        SendMessageA(hwnd_, TB_REPLACEBITMAP, 0, reinterpret_cast<LPARAM>(&replace));
    } else {
        // The image size is set once, before the first images.
        SendMessageA(hwnd_, TB_SETBITMAPSIZE, 0, MAKELPARAM(layout.width, layout.height));
        TBADDBITMAP add{nullptr, reinterpret_cast<UINT_PTR>(images.get())};
        SendMessageA(hwnd_, TB_ADDBITMAP, layout.count, reinterpret_cast<LPARAM>(&add));
    }
    bitmap_ = std::move(images);

    TBBUTTON buttons[kMaxToolbarEntries] = {};
    for (std::size_t i = 0; i < layout.count; ++i) {
        const ToolbarEntryStyle style = ToolbarEntryStyleAt(static_cast<int>(i));
        TBBUTTON& b = buttons[i];
        b.fsStyle = ButtonStyle(style);
        if (style == ToolbarEntryStyle::Separator) {
            // No command, default width. A run of separators shows as one gap:
            // the themed toolbar would draw a line for each.
            if (i > 0 && ToolbarEntryStyleAt(static_cast<int>(i) - 1) == ToolbarEntryStyle::Separator)
                b.fsState = TBSTATE_HIDDEN;
            continue;
        }
        b.iBitmap = static_cast<int>(i);
        b.idCommand = layout.commands[i];
        b.fsState = TBSTATE_ENABLED;
    }
    SendMessageA(hwnd_, TB_ADDBUTTONSA, layout.count, reinterpret_cast<LPARAM>(buttons));
    SendMessageA(hwnd_, TB_AUTOSIZE, 0, 0);
    resourceId_ = resourceId;
    return true;
}

void CMainToolbar::CheckOnly(std::initializer_list<int> group, int command) {
    for (int member : group) CheckToolbarButton(hwnd_, member, member == command);
}
