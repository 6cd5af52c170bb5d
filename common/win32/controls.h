// Thin helpers over the messages of standard controls, keyed by control or
// command id. They own nothing.
#pragma once

#include <windows.h>
#include <commctrl.h>

// Dialog items.
inline void CheckItem(HWND dialog, int id, bool checked) {
    CheckDlgButton(dialog, id, checked ? BST_CHECKED : BST_UNCHECKED);
}
inline bool IsItemChecked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }
inline void EnableItem(HWND dialog, int id, bool enabled) { EnableWindow(GetDlgItem(dialog, id), enabled); }
inline void SetItemText(HWND dialog, int id, const char* text) { SetDlgItemTextA(dialog, id, text); }

// Toolbar buttons, by command id.
inline void CheckToolbarButton(HWND toolbar, int command, bool checked) {
    SendMessageA(toolbar, TB_CHECKBUTTON, command, MAKELPARAM(checked ? TRUE : FALSE, 0));
}
inline bool IsToolbarButtonChecked(HWND toolbar, int command) {
    // -1 for a command the toolbar does not have.
    return SendMessageA(toolbar, TB_ISBUTTONCHECKED, command, 0) > 0;
}

// Menu items, by command id.
inline void CheckMenuCommand(HMENU menu, int command, bool checked) {
    CheckMenuItem(menu, command, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}
