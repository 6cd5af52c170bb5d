// Control texts from the string table. A dialog's template holds texts only
// for a reader of the .rc; the program sets each control's text from its
// string table when the dialog opens, in the language Windows chooses.
#pragma once

#include <windows.h>

#include <span>

// A control and the string it shows.
struct ControlText {
    int control;
    UINT text;
};

// Sets the text of each control of dialog to its string.
void SetControlTexts(HWND dialog, std::span<const ControlText> texts);
