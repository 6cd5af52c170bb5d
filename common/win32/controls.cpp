#include "common/win32/controls.h"

void AddListEntry(HWND dialog, int id, const char* text, std::uint32_t value) {
    const LRESULT index = SendDlgItemMessageA(dialog, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    if (index >= 0) SendDlgItemMessageA(dialog, id, CB_SETITEMDATA, static_cast<WPARAM>(index), value);
}

bool SelectListValue(HWND dialog, int id, std::uint32_t value) {
    const int count = ListCount(dialog, id);
    for (int i = 0; i < count; ++i) {
        if (static_cast<std::uint32_t>(SendDlgItemMessageA(dialog, id, CB_GETITEMDATA, static_cast<WPARAM>(i), 0)) !=
            value)
            continue;
        SelectListPosition(dialog, id, i);
        return true;
    }
    SelectListPosition(dialog, id, -1);
    return false;
}

bool SelectedListValue(HWND dialog, int id, std::uint32_t& value) {
    const int index = ListSelection(dialog, id);
    if (index == CB_ERR) return false;
    value = static_cast<std::uint32_t>(SendDlgItemMessageA(dialog, id, CB_GETITEMDATA, static_cast<WPARAM>(index), 0));
    return true;
}
