// The service body: set up the hot-key driver, then act on each hot key.
#pragma once

#include <windows.h>

// Returns when it gives up or when StopWorker has ended the event loop.
void HotkeyWorker(DWORD argc, char** argv);

// Reports stop-pending, closes the driver's event and device, reports again.
void StopWorker();
