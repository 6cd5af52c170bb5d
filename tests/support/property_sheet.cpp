#include "tests/support/property_sheet.h"

#include <commctrl.h>

#include "tests/support/wait_for.h"

HWND ShownSheetPage(HWND sheet, int index, DWORD milliseconds) {
    HWND page = nullptr;
    const bool shown = WaitFor(
        [&] {
            PropSheet_SetCurSel(sheet, nullptr, index);
            page = PropSheet_GetCurrentPageHwnd(sheet);
            return page != nullptr && PropSheet_HwndToIndex(sheet, page) == index;
        },
        milliseconds);
    return shown ? page : nullptr;
}
