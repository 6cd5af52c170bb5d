// Thin helpers over the messages of standard controls, keyed by control or
// command id. They own nothing.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>

// Dialog items.
inline void CheckItem(HWND dialog, int id, bool checked) {
    CheckDlgButton(dialog, id, checked ? BST_CHECKED : BST_UNCHECKED);
}
inline bool IsItemChecked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }
inline void EnableItem(HWND dialog, int id, bool enabled) { EnableWindow(GetDlgItem(dialog, id), enabled); }
inline void SetItemText(HWND dialog, int id, const char* text) { SetDlgItemTextA(dialog, id, text); }

// Combo boxes, by control id. Positions count from 0; -1 is no selection.
inline void ClearList(HWND dialog, int id) { SendDlgItemMessageA(dialog, id, CB_RESETCONTENT, 0, 0); }
inline void AddListString(HWND dialog, int id, const char* text) {
    SendDlgItemMessageA(dialog, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
}
inline void InsertListString(HWND dialog, int id, int position, const char* text) {
    SendDlgItemMessageA(dialog, id, CB_INSERTSTRING, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(text));
}
inline void DeleteListString(HWND dialog, int id, int position) {
    SendDlgItemMessageA(dialog, id, CB_DELETESTRING, static_cast<WPARAM>(position), 0);
}
inline int ListCount(HWND dialog, int id) {
    return static_cast<int>(SendDlgItemMessageA(dialog, id, CB_GETCOUNT, 0, 0));
}
inline int ListSelection(HWND dialog, int id) {
    return static_cast<int>(SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0));
}
// A position the list does not have (-1 among them) leaves it without a selection.
inline void SelectListPosition(HWND dialog, int id, int position) {
    SendDlgItemMessageA(dialog, id, CB_SETCURSEL, static_cast<WPARAM>(position), 0);
}

// Combo box entries that stand for values (kept as the entries' item data):
// an entry with its value; the first entry holding value selected (false,
// and no selection, when none does); the value of the selected entry (false
// when nothing is selected).
void AddListEntry(HWND dialog, int id, const char* text, std::uint32_t value);
bool SelectListValue(HWND dialog, int id, std::uint32_t value);
bool SelectedListValue(HWND dialog, int id, std::uint32_t& value);

// Toolbar buttons, by command id.
inline void CheckToolbarButton(HWND toolbar, int command, bool checked) {
    SendMessageA(toolbar, TB_CHECKBUTTON, command, MAKELPARAM(checked ? TRUE : FALSE, 0));
}

// Menu items, by command id.
inline void CheckMenuCommand(HMENU menu, int command, bool checked) {
    CheckMenuItem(menu, command, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}
