// Pictures as pixels, to compare what a window or the shell draws with the
// picture a test expects.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <vector>

// The colours of a width x height area, row by row, as a 32-bit DIB holds
// them (0x00RRGGBB).
using Pixels = std::vector<std::uint32_t>;

// The colour of such a pixel.
inline COLORREF ColourOf(std::uint32_t pixel) {
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

// What draw paints on a width x height 32-bit memory bitmap.
Pixels DrawnPixels(int width, int height, const std::function<void(HDC)>& draw);

// A whole bitmap.
Pixels BitmapPixels(HBITMAP bitmap);

// An icon drawn at size x size on a background of one colour.
Pixels IconPixels(HICON icon, int size, COLORREF background);

// What the client area of window shows in rect (client coordinates), read
// from the screen: a window of another process too.
Pixels WindowPixels(HWND window, const RECT& rect);
