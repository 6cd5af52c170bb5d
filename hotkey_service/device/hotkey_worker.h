// The service body: set up the hot-key driver, then act on each hot key.
#pragma once

#include <windows.h>

#include "hotkey_service/device/hotkey_device.h"
#include "hotkey_service/service/service_status.h"
#include "hotkey_service/shell/pressmon_context.h"

class HotkeyWorker {
public:
    HotkeyWorker(PressmonContext& context, ServiceStatus& status, HotkeyDevice& device)
        : context_(context), status_(status), device_(device) {}

    // Returns when it gives up or when Stop has ended the event loop. At start
    // it waits up to 30 s for the driver's device, start-pending.
    void Run();

    // True once Run has returned.
    bool Returned() const { return returned_ != 0; }

    // Reports stop-pending, closes the driver's event and device, reports again.
    void Stop();

private:
    void RunUntilStopped();
    bool WaitForDevice();
    bool ReadSetupBlock(HotkeySetupBlock& block);
    void HandleEvent();

    PressmonContext& context_;
    ServiceStatus& status_;
    HotkeyDevice& device_;
    // Set once Run has returned: a stop then has nothing to wait for. One
    // aligned word, written by the worker's thread and read by the control
    // handler's.
    volatile LONG returned_ = 0;
};
