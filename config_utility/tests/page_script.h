// Drives merovant's modal pages from inside their own message loop: each step
// runs when the loop takes its turn, before the page is first shown (a shown
// window costs Wine seconds to take down without a window manager).
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "tests/support/window_text.h"

class PageScript {
public:
    PageScript();
    ~PageScript();
    PageScript(const PageScript&) = delete;
    PageScript& operator=(const PageScript&) = delete;

    // Queues step; it runs in the next message loop of this thread (a page's,
    // a menu's), given the thread's dialog that is open then.
    void Then(std::function<void(HWND dialog)> step);

private:
    HHOOK hook_ = nullptr;
};

// A control's centre in screen coordinates.
POINT ControlCentre(HWND dialog, int control);
// BM_CLICK on a button of the dialog.
void Click(HWND dialog, int control);
