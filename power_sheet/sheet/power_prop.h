// The Power Management sheet and its table of pages.
#pragma once

#include <windows.h>

#include "common/win32/property_sheet.h"
#include "power_sheet/sheet/hibernation_page.h"
#include "power_sheet/sheet/power_mode_page.h"
#include "power_sheet/sheet/power_page.h"
#include "power_sheet/sheet/suspend_page.h"

class CPowerProp {
public:
    explicit CPowerProp(CorvessaContext context);
    CPowerProp(const CPowerProp&) = delete;
    CPowerProp& operator=(const CPowerProp&) = delete;

    // Runs the sheet modally with no owner, the first page selected.
    INT_PTR DoModal();
    // The same sheet without its own loop (for a caller that runs the
    // messages itself, as the tests do).
    HWND CreateModeless();

    CHiberation hibernation;
    CSuspend suspend;
    CPowerMode powerMode;

private:
    CorvessaContext context_;
    // The pages in the sheet's order, which is also the order of their writes.
    CPropertyPage* pages_[3];
    CPropertySheet sheet_;
};
