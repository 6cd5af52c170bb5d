// The service body: set up the hot-key driver, then act on each hot key.
#pragma once

#include <windows.h>

// Returns when it gives up or when StopWorker has ended the event loop. At
// start it waits up to 30 s for the driver's device, start-pending.
void HotkeyWorker(DWORD argc, char** argv);

// True once HotkeyWorker has returned.
bool HotkeyWorkerReturned();

// Reports stop-pending, closes the driver's event and device, reports again.
void StopWorker();
