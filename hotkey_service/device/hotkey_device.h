// The channel to the hot-key driver: its device, its event, and the stop
// signal that ends the event loop. Process-wide; the worker opens them and
// StopWorker closes them from the thread that delivers the stop.
#pragma once

#include "machine_control/protocols/hotkey_protocol.h"

#include <windows.h>

// Opening again closes what was open first.
bool OpenHotkeyDevice();
bool HotkeyDeviceIsOpen();
bool OpenHotkeyEvent();
bool SendHotkeySetup(HotkeySetupBlock* block);
bool GetHotkeyEvent(HotkeyEventBlock* block);
bool SendHotkeyRelease();

enum class HotkeyWait { Event, Stopped, Other };

// Waits for the next hot-key event or for StopWorker.
HotkeyWait WaitForHotkeyEvent();

// Wakes WaitForHotkeyEvent for good and closes the event and the device.
void CloseHotkeyChannel();
