// The dialogs' tab control drawn the classic way: with visual styles its
// page is white, and the labels, values and chart on it (drawn in the
// dialog's colour) would stand out as grey boxes.
#pragma once

#include <windows.h>

void UseClassicTabLook(HWND tab);
