// A started program's first paint, as another process sees it.
#pragma once

#include <windows.h>

#include "tests/support/program_run.h"

// Waits up to milliseconds for program's first paint: a top-level window of
// its own shown, nothing of that window or of its shown children waiting to
// be painted, and the program waiting for input. Returns that window, or null
// when the time ran out or the program ended first.
HWND WaitForFirstPaint(const StartedProgram& program, DWORD milliseconds);
