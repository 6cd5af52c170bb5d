// A property sheet of another process, driven as its user would.
#pragma once

#include <windows.h>

// Selects the page at index of sheet once the sheet takes the selection (its
// window exists before its pages do), and returns the page; nullptr when it
// is not shown within milliseconds.
HWND ShownSheetPage(HWND sheet, int index, DWORD milliseconds = 15000);
