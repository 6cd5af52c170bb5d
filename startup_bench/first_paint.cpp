#include "startup_bench/first_paint.h"

namespace {

struct ShownWindowSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindShownWindow(HWND window, LPARAM parameter) {
    auto& search = *reinterpret_cast<ShownWindowSearch*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search.processId || !IsWindowVisible(window)) return TRUE;
    search.found = window;
    return FALSE;
}

// A shown top-level window of processId, or null.
HWND ShownWindowOf(DWORD processId) {
    ShownWindowSearch search{processId, nullptr};
    EnumWindows(FindShownWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

BOOL CALLBACK FindUnpaintedChild(HWND child, LPARAM parameter) {
    if (!IsWindowVisible(child) || !GetUpdateRect(child, nullptr, FALSE)) return TRUE;
    *reinterpret_cast<bool*>(parameter) = true;
    return FALSE;
}

// True when neither window nor any of its shown descendants has anything
// left to paint.
bool Painted(HWND window) {
    if (GetUpdateRect(window, nullptr, FALSE)) return false;
    bool unpainted = false;
    EnumChildWindows(window, FindUnpaintedChild, reinterpret_cast<LPARAM>(&unpainted));
    return !unpainted;
}

}  // namespace

HWND WaitForFirstPaint(const StartedProgram& program, DWORD milliseconds) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds) {
        if (WaitForSingleObject(program.process.get(), 0) == WAIT_OBJECT_0) return nullptr;
        HWND window = ShownWindowOf(program.id);
        // Idle first: a program that has drawn its window and has nothing left
        // in its queue is waiting for the user.
        if (window != nullptr && WaitForInputIdle(program.process.get(), 0) == 0 && Painted(window)) return window;
        Sleep(1);
    }
    return nullptr;
}
