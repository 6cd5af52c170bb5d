// A base class for top-level and child windows of the suite's own classes.
#pragma once

#include <windows.h>

// Registers one window class whose procedure forwards every message to the
// CWindow that created the window, through the virtual HandleMessage. The
// object is found from the window's user data, set at WM_NCCREATE from the
// creation parameter.
class CWindow {
public:
    CWindow() = default;
    CWindow(const CWindow&) = delete;
    CWindow& operator=(const CWindow&) = delete;

    HWND hwnd() const { return hwnd_; }

protected:
    virtual ~CWindow();

    // Registers the class once per process (a second call for the same name
    // succeeds without registering again).
    static bool RegisterWindowClass(HINSTANCE instance, const char* className, UINT style,
                                    HBRUSH background, HICON icon);
    // CreateWindowExA with this object as the creation parameter.
    bool CreateWindowFor(HINSTANCE instance, const char* className, const char* title, DWORD style,
                         DWORD exStyle, int x, int y, int width, int height, HWND parent, HMENU menu);

    // Handles one message; the default passes it to DefWindowProcA.
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
};
