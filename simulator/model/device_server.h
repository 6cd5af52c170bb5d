// What the virtual notebook's devices do with one buffered control request:
// the driver hands every DeviceIoControl here, with the system buffer that
// carries the input in and the output out. Portable and freestanding, so the
// length checks are tested natively.
#pragma once

#include <cstdint>

#include "simulator/model/machine_model.h"

enum class NotebookDevice : std::uint32_t {
    Bios,     // \\.\brenix
    Dmi,      // \\.\veltrova
    Hotkey,   // \\.\hotkey
    Control,  // \\.\VirtualNotebook
};

struct DeviceRequest {
    std::uint32_t code;
    std::uint8_t* buffer;  // holds inLength bytes in, room for outLength bytes out
    std::uint32_t inLength;
    std::uint32_t outLength;
};

enum class DeviceResult {
    Done,
    WrongLength,   // a block of the wrong size: nothing was done
    UnknownCode,
    Refused,       // the machine said no (no pending key, release refused, bad table)
};

struct DeviceAnswer {
    DeviceResult result;
    std::uint32_t returned;   // bytes written to the buffer
    bool signalHotkeyEvent;   // a key is waiting: set "HotkeyEvent" once
};

DeviceAnswer ServeDeviceRequest(MachineModel& model, NotebookDevice device, const DeviceRequest& request);
