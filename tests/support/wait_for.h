// Waiting for what another process or a window's timer brings about.
#pragma once

#include <windows.h>

// Polls condition every 50 ms until it holds (true) or milliseconds have
// passed (false).
template <typename Condition>
bool WaitFor(Condition condition, DWORD milliseconds = 15000) {
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > milliseconds) return false;
        Sleep(50);
    }
    return true;
}
