// A bitmap resource made into a device bitmap with the palette of its colour
// table, for the machine view's pictures and switch buttons.
#pragma once

#include <windows.h>

#include "common/win32/unique_handle.h"

struct PaletteBitmap {
    UniqueBitmap bitmap;
    UniquePalette palette;  // none for bitmaps of more than 8 bits per pixel
    int width = 0;
    int height = 0;
};

// Reads the bitmap resource `name` as a device-independent bitmap; for 8 or
// fewer bits per pixel builds a logical palette from its colour table, selects
// and realises it on the screen and makes the device bitmap with it. False
// (and `out` untouched) when the resource is missing or malformed.
bool LoadPaletteBitmap(HINSTANCE instance, LPCSTR name, PaletteBitmap& out);
