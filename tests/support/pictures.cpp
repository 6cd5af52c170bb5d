#include "tests/support/pictures.h"

#include "common/win32/gdi_guards.h"
#include "common/win32/unique_handle.h"

Pixels DrawnPixels(int width, int height, const std::function<void(HDC)>& draw) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    MemoryDc dc(nullptr);
    void* bits = nullptr;
    UniqueBitmap bitmap(CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!dc || !bitmap || bits == nullptr) return {};
    {
        SelectedObject selected(dc.get(), bitmap.get());
        draw(dc.get());
        GdiFlush();
    }
    const auto* first = static_cast<const std::uint32_t*>(bits);
    Pixels pixels(first, first + static_cast<std::size_t>(width) * height);
    for (std::uint32_t& pixel : pixels) pixel &= 0x00FFFFFF;
    return pixels;
}

Pixels BitmapPixels(HBITMAP bitmap) {
    BITMAP size;
    if (bitmap == nullptr || GetObjectA(bitmap, sizeof size, &size) != sizeof size) return {};
    return DrawnPixels(size.bmWidth, size.bmHeight, [&](HDC dc) {
        MemoryDc source(dc);
        SelectedObject selected(source.get(), bitmap);
        BitBlt(dc, 0, 0, size.bmWidth, size.bmHeight, source.get(), 0, 0, SRCCOPY);
    });
}

Pixels IconPixels(HICON icon, int size, COLORREF background) {
    if (icon == nullptr) return {};
    return DrawnPixels(size, size, [&](HDC dc) {
        UniqueBrush brush(CreateSolidBrush(background));
        const RECT all{0, 0, size, size};
        FillRect(dc, &all, brush.get());
        DrawIconEx(dc, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
    });
}

Pixels WindowPixels(HWND window, const RECT& rect) {
    WindowDc screen(window);
    if (!screen) return {};
    return DrawnPixels(rect.right - rect.left, rect.bottom - rect.top, [&](HDC dc) {
        BitBlt(dc, 0, 0, rect.right - rect.left, rect.bottom - rect.top, screen.get(), rect.left, rect.top, SRCCOPY);
    });
}
