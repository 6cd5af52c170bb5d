// The virtual notebook's control device, \\.\VirtualNotebook: how machinesim
// (and the end-to-end tests) read and change the machine behind the devices.
#pragma once

#include <cstdint>

#include "machine_control/protocols/machine_memory_protocol.h"
#include "simulator/model/machine_model.h"

// Control codes: FILE_DEVICE_UNKNOWN, METHOD_BUFFERED, FILE_ANY_ACCESS, with
// function numbers from 0x900, clear of the machine's own devices.
constexpr std::uint32_t ControlCode(std::uint32_t function) { return 0x220000u | (function << 2); }

inline constexpr std::uint32_t kCtlGetState = ControlCode(0x900);       // out: MachineState
inline constexpr std::uint32_t kCtlSetState = ControlCode(0x901);       // in: MachineState
inline constexpr std::uint32_t kCtlPressHotkey = ControlCode(0x902);    // in: ControlHotkeyPress
inline constexpr std::uint32_t kCtlGetHotkeys = ControlCode(0x903);     // out: HotkeyStatus
inline constexpr std::uint32_t kCtlReleaseFails = ControlCode(0x904);   // in: uint32 0 or 1
inline constexpr std::uint32_t kCtlFailNext = ControlCode(0x905);       // in: uint32 count
inline constexpr std::uint32_t kCtlReadLog = ControlCode(0x906);        // in: uint32 first; out: ControlLogChunk
inline constexpr std::uint32_t kCtlClearLog = ControlCode(0x907);       // no buffers
inline constexpr std::uint32_t kCtlLoadSmbios = ControlCode(0x908);     // in: the table, 1 to 2048 bytes
inline constexpr std::uint32_t kCtlArmFault = ControlCode(0x909);       // in: ControlFault
inline constexpr std::uint32_t kCtlGetStatus = ControlCode(0x90A);      // out: ControlStatus
inline constexpr std::uint32_t kCtlReset = ControlCode(0x90B);          // no buffers: the factory state
inline constexpr std::uint32_t kCtlGetSmbios = ControlCode(0x90C);      // out: the table, up to 2048 bytes
// The notebook's memory for the programs (machine_memory_protocol.h): out: uint32 MiB.
static_assert(kIoctlMachineMemory == ControlCode(0x90D), "the memory request is the control device's");

struct ControlFault {
    std::uint32_t target;  // fault_targets.h
    std::uint32_t count;   // 0 off, kFaultAlways
};
static_assert(sizeof(ControlFault) == 8, "ControlFault is a control-device block");

// The machine's own condition: where its settings stand to the saved ones
// and the faults that are armed.
struct ControlStatus {
    std::uint32_t settings;        // SavedSettings
    std::uint32_t saveFailure;     // while NotSaved: the status of the write that failed
    std::uint32_t pendingFailures; // of `fail N`
    std::uint32_t faults[kFaultTargets];
};
static_assert(sizeof(ControlStatus) == 12 + 4 * kFaultTargets, "ControlStatus is a control-device block");

struct ControlHotkeyPress {
    std::uint8_t group;
    std::uint8_t mask;
    std::uint8_t reserved[2];
};
static_assert(sizeof(ControlHotkeyPress) == 4, "ControlHotkeyPress is a control-device block");

// A piece of the request log: entries[0..count) are the entries from 'first'
// on, oldest first; total is the number the log holds.
inline constexpr std::uint32_t kControlLogChunkEntries = 32;
struct ControlLogChunk {
    std::uint32_t total;
    std::uint32_t count;
    SmiLogEntry entries[kControlLogChunkEntries];
};
static_assert(sizeof(ControlLogChunk) == 8 + 88 * kControlLogChunkEntries, "ControlLogChunk is a control-device block");
