// The service's message boxes, their texts taken from the string table and
// shown through the shell.
#pragma once

#include <windows.h>

#include "hotkey_service/shell/pressmon_context.h"

// Loads the caption (string 1) into the context, at the worker's start.
void LoadMessageCaption(PressmonContext& context);

// Shows string id followed by tail and tail2, under the context's caption.
void ShowHotkeyMessage(const PressmonContext& context, UINT id, const char* tail = "", const char* tail2 = "",
                       UINT style = MB_OK, HWND owner = nullptr);
