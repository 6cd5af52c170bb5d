#include "config_utility/view/picture_window.h"

#include "common/win32/gdi_guards.h"
#include "config_utility/core/view_layout.h"

namespace {
constexpr char kPictureClass[] = "MerovantPicture";
}

bool CPictureWindow::Create(HINSTANCE instance, HWND parent, int id, const RECT& rect) {
    if (!RegisterWindowClass(instance, kPictureClass, 0, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), nullptr))
        return false;
    return CreateWindowFor(instance, kPictureClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, rect.left,
                           rect.top, rect.right - rect.left, rect.bottom - rect.top, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)));
}

void CPictureWindow::ShowBitmap(HINSTANCE instance, int id) {
    PaletteBitmap picture;
    if (LoadPaletteBitmap(instance, MAKEINTRESOURCEA(id), picture)) {
        picture_ = std::move(picture);
    } else {
        picture_ = PaletteBitmap{};
    }
    bitmapId_ = id;
    InvalidateRect(hwnd(), nullptr, TRUE);
}

void CPictureWindow::OnPaint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd(), &ps);
    if (picture_.bitmap) {
        RECT client;
        GetClientRect(hwnd(), &client);
        SelectedPalette palette(dc, picture_.palette.get(), true);
        if (picture_.palette) RealizePalette(dc);
        MemoryDc memory(dc);
        if (memory) {
            SelectedObject selected(memory.get(), picture_.bitmap.get());
            if (PaintsUnscaled(picture_.width, client.right)) {
                BitBlt(dc, 0, 0, picture_.width, picture_.height, memory.get(), 0, 0, SRCCOPY);
            } else {
                SetStretchBltMode(dc, COLORONCOLOR);
                StretchBlt(dc, 0, 0, client.right, client.bottom, memory.get(), 0, 0, picture_.width,
                           picture_.height, SRCCOPY);
            }
        }
    }
    EndPaint(hwnd(), &ps);
}

void CPictureWindow::OnPaletteChanged(HWND changer) {
    if (changer == hwnd() || !picture_.palette) return;
    WindowDc dc(hwnd());
    SelectedPalette palette(dc.get(), picture_.palette.get(), false);
    RealizePalette(dc.get());
    UpdateColors(dc.get());
}

bool CPictureWindow::OnQueryNewPalette() {
    if (!picture_.palette) return false;
    UINT changed;
    {
        WindowDc dc(hwnd());
        SelectedPalette palette(dc.get(), picture_.palette.get(), false);
        changed = RealizePalette(dc.get());
    }
    InvalidateRect(hwnd(), nullptr, FALSE);
    return changed != 0;
}

LRESULT CPictureWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_MOUSEMOVE:
            // The view's hint "anywhere else" covers the picture too.
            SendMessageA(GetParent(hwnd()), message, wParam, lParam);
            return 0;
        default:
            return CWindow::HandleMessage(message, wParam, lParam);
    }
}
