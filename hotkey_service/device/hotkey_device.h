// The channel to the hot-key driver: its device, its event, and the stop
// signal that ends the event loop. The worker opens them; Close, from the
// thread that delivers the stop, closes them.
#pragma once

#include <windows.h>

#include "common/win32/unique_handle.h"
#include "machine_control/protocols/hotkey_protocol.h"

enum class HotkeyWait { Event, Stopped, Other };

class HotkeyDevice {
public:
    // Opening again closes what was open first.
    bool Open();
    bool IsOpen() const { return static_cast<bool>(device_); }
    bool OpenKeyEvent();

    // The driver answers into the block it is sent.
    bool SendSetup(HotkeySetupBlock& block);
    bool GetKeyEvent(HotkeyEventBlock& block);
    bool SendRelease();

    // Waits for the next hot-key event or for Close.
    HotkeyWait WaitForKeyEvent();

    // Wakes WaitForKeyEvent for good and closes the event and the device.
    void Close();

private:
    bool Control(DWORD code, void* block, DWORD size, DWORD& returned);

    UniqueFileHandle device_;
    UniqueKernelHandle event_;
    // Signalled by Close: a wait on the closed event would not end by itself,
    // and every later wait on it would fail at once.
    UniqueKernelHandle stopRequested_;
};
