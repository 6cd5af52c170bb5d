#include "hotkey_service/device/hotkey_device.h"

#include "common/win32/unique_handle.h"

#include <cstddef>

namespace {

UniqueFileHandle hotkeyDevice;
UniqueKernelHandle hotkeyEvent;
// Signalled by CloseHotkeyChannel: a wait on the closed event would not end by
// itself, and every later wait on it would fail at once.
UniqueKernelHandle stopRequested;

bool Control(DWORD code, void* block, DWORD size, DWORD* returned) {
    return DeviceIoControl(hotkeyDevice.get(), code, block, size, block, size, returned, nullptr) != FALSE;
}

}  // namespace

bool OpenHotkeyDevice() {
    hotkeyDevice.reset();
    hotkeyDevice.reset(CreateFileA(kHotkeyDeviceName, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                   FILE_FLAG_OVERLAPPED, nullptr));
    return static_cast<bool>(hotkeyDevice);
}

bool HotkeyDeviceIsOpen() { return static_cast<bool>(hotkeyDevice); }

bool OpenHotkeyEvent() {
    hotkeyEvent.reset();
    stopRequested.reset();
    hotkeyEvent.reset(OpenEventA(SYNCHRONIZE, FALSE, kHotkeyEventName));
    if (!hotkeyEvent) return false;
    stopRequested.reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    return static_cast<bool>(stopRequested);
}

bool SendHotkeySetup(HotkeySetupBlock* block) {
    DWORD returned = 0;
    return Control(IoctlHotkeySetup, block, sizeof *block, &returned);
}

bool GetHotkeyEvent(HotkeyEventBlock* block) {
    HotkeyEventBlock answer{};
    DWORD returned = 0;
    if (!Control(IoctlHotkeyGetEvent, &answer, sizeof answer, &returned)) return false;
    // An answer too short to carry the group and the key mask is no event.
    if (returned <= offsetof(HotkeyEventBlock, keyMask) || returned > sizeof answer) return false;
    *block = answer;
    return true;
}

bool SendHotkeyRelease() {
    DWORD returned = 0;
    return Control(IoctlHotkeyRelease, nullptr, 0, &returned);
}

HotkeyWait WaitForHotkeyEvent() {
    const HANDLE handles[] = {hotkeyEvent.get(), stopRequested.get()};
    if (!handles[0] || !handles[1]) return HotkeyWait::Stopped;
    switch (WaitForMultipleObjects(2, handles, FALSE, INFINITE)) {
    case WAIT_OBJECT_0:
        return HotkeyWait::Event;
    case WAIT_OBJECT_0 + 1:
        return HotkeyWait::Stopped;
    case WAIT_FAILED:
        // The handles were closed under the wait: the loop must end, not spin.
        return hotkeyEvent ? HotkeyWait::Other : HotkeyWait::Stopped;
    default:
        return HotkeyWait::Other;
    }
}

void CloseHotkeyChannel() {
    if (stopRequested) SetEvent(stopRequested.get());
    hotkeyEvent.reset();
    hotkeyDevice.reset();
}
