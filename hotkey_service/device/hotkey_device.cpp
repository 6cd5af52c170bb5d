#include "hotkey_service/device/hotkey_device.h"

#include "hotkey_service/core/hotkey_event.h"

bool HotkeyDevice::Control(DWORD code, void* block, DWORD size, DWORD& returned) {
    return DeviceIoControl(device_.get(), code, block, size, block, size, &returned, nullptr) != FALSE;
}

bool HotkeyDevice::Open() {
    device_.reset();
    device_.reset(CreateFileA(kHotkeyDeviceName, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_FLAG_OVERLAPPED, nullptr));
    return static_cast<bool>(device_);
}

bool HotkeyDevice::OpenKeyEvent() {
    event_.reset();
    stopRequested_.reset();
    event_.reset(OpenEventA(SYNCHRONIZE, FALSE, kHotkeyEventName));
    if (!event_) return false;
    stopRequested_.reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    return static_cast<bool>(stopRequested_);
}

bool HotkeyDevice::SendSetup(HotkeySetupBlock& block) {
    DWORD returned = 0;
    return Control(IoctlHotkeySetup, &block, sizeof block, returned);
}

bool HotkeyDevice::GetKeyEvent(HotkeyEventBlock& block) {
    HotkeyEventBlock answer{};
    DWORD returned = 0;
    return Control(IoctlHotkeyGetEvent, &answer, sizeof answer, returned) && TakeHotkeyEvent(answer, returned, block);
}

bool HotkeyDevice::SendRelease() {
    DWORD returned = 0;
    return Control(IoctlHotkeyRelease, nullptr, 0, returned);
}

HotkeyWait HotkeyDevice::WaitForKeyEvent() {
    const HANDLE handles[] = {event_.get(), stopRequested_.get()};
    if (!handles[0] || !handles[1]) return HotkeyWait::Stopped;
    switch (WaitForMultipleObjects(2, handles, FALSE, INFINITE)) {
    case WAIT_OBJECT_0:
        return HotkeyWait::Event;
    case WAIT_OBJECT_0 + 1:
        return HotkeyWait::Stopped;
    case WAIT_FAILED:
        // The handles were closed under the wait: the loop must end, not spin.
        return event_ ? HotkeyWait::Other : HotkeyWait::Stopped;
    default:
        return HotkeyWait::Other;
    }
}

void HotkeyDevice::Close() {
    if (stopRequested_) SetEvent(stopRequested_.get());
    event_.reset();
    device_.reset();
}
