// The shipped sorvault as its tests drive it from another process: its real
// message boxes answered, Create Now taken through the size dialog.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

// Waits up to milliseconds for a message box owned by owner, reads its text
// into text and presses its OK button; false when none came.
bool AnswerMessageBox(HWND owner, std::string& text, DWORD milliseconds);

// Presses Create Now on the file dialog, answers the message that the
// firmware's image file is missing (message 24, as on a machine without it),
// and waits up to milliseconds for the size dialog: the dialog, with the
// minimal size in KB it shows; nullptr when it did not come.
HWND OpenSizeDialog(HWND fileDialog, uint64_t& minimalKB, DWORD milliseconds);
