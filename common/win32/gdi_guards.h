// Scoped GDI state. Each guard undoes, when it goes out of scope, what it did
// when it was made; declared one after the other, they are undone in the
// reverse order, as GDI needs (a bitmap is deselected before its memory DC is
// deleted).
#pragma once

#include <windows.h>

// An object (bitmap, brush, pen, font) selected into a device context; the
// previous one is selected again at the end. Nothing for a null DC or object.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object)
        : dc_(dc), previous_(dc != nullptr && object != nullptr ? SelectObject(dc, object) : nullptr) {}
    ~SelectedObject() {
        if (previous_ != nullptr) SelectObject(dc_, previous_);
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// A logical palette selected into a device context (as a background palette
// when asked); the previous one is selected again, as a background palette,
// at the end. Nothing for a null palette.
class SelectedPalette {
public:
    SelectedPalette(HDC dc, HPALETTE palette, bool background)
        : dc_(dc), previous_(palette != nullptr ? SelectPalette(dc, palette, background ? TRUE : FALSE) : nullptr) {}
    ~SelectedPalette() {
        if (previous_ != nullptr) SelectPalette(dc_, previous_, TRUE);
    }
    SelectedPalette(const SelectedPalette&) = delete;
    SelectedPalette& operator=(const SelectedPalette&) = delete;

private:
    HDC dc_;
    HPALETTE previous_;
};

// The device context of a window's client area (of the screen for nullptr),
// released at the end.
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDc() {
        if (dc_ != nullptr) ReleaseDC(window_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;

    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
};

// A memory device context compatible with another (with the screen for
// nullptr), deleted at the end.
class MemoryDc {
public:
    explicit MemoryDc(HDC compatible) : dc_(CreateCompatibleDC(compatible)) {}
    ~MemoryDc() {
        if (dc_ != nullptr) DeleteDC(dc_);
    }
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;

    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HDC dc_;
};
