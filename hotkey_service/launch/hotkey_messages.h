// The worker's message boxes, their texts taken from the string table.
#pragma once

#include <windows.h>

// Loads the caption (string 1) once, at the worker's start.
void LoadMessageCaption();

// Shows string id followed by tail and tail2, with the caption of
// LoadMessageCaption.
void ShowHotkeyMessage(UINT id, const char* tail = "", const char* tail2 = "", UINT style = MB_OK,
                       HWND owner = nullptr);
