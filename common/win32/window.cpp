#include "common/win32/window.h"

CWindow::~CWindow() {
    if (hwnd_ != nullptr) {
        // The window outlives no object of ours: cut the link before destroying it.
        SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
}

bool CWindow::RegisterWindowClass(HINSTANCE instance, const char* className, UINT style,
                                  HBRUSH background, HICON icon) {
    WNDCLASSA existing;
    if (GetClassInfoA(instance, className, &existing)) return true;
    WNDCLASSA wc{};
    wc.style = style;
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hIcon = icon;
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = background;
    wc.lpszClassName = className;
    return RegisterClassA(&wc) != 0;
}

bool CWindow::CreateWindowFor(HINSTANCE instance, const char* className, const char* title, DWORD style,
                              DWORD exStyle, int x, int y, int width, int height, HWND parent, HMENU menu) {
    return CreateWindowExA(exStyle, className, title, style, x, y, width, height, parent, menu, instance,
                           this) != nullptr;
}

LRESULT CWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK CWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CWindow* self;
    if (message == WM_NCCREATE) {
        self = static_cast<CWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<CWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    }
    if (self == nullptr) return DefWindowProcA(hwnd, message, wParam, lParam);
    const LRESULT result = self->HandleMessage(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
    }
    return result;
}
