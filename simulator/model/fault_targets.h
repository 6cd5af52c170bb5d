// What a fault can be armed on: the catalogue's operations by their row, then
// the requests of the other two devices. Freestanding: the kernel driver
// holds it.
#pragma once

#include <cstdint>

#include "machine_control/core/smi_operations.h"

inline constexpr std::uint32_t kFaultDmi = kSmiOperationCount;
inline constexpr std::uint32_t kFaultHotkeyGet = kSmiOperationCount + 1;
inline constexpr std::uint32_t kFaultHotkeySetup = kSmiOperationCount + 2;
inline constexpr std::uint32_t kFaultHotkeyRelease = kSmiOperationCount + 3;
inline constexpr std::uint32_t kFaultTargets = kSmiOperationCount + 4;

// An armed fault's count that never runs out.
inline constexpr std::uint32_t kFaultAlways = 0xFFFFFFFFu;

// The name of fault target i ("GetCurDisplay", "dmi", "hotkey-get", ...).
constexpr const char* FaultTargetName(std::uint32_t i) {
    if (i < kSmiOperationCount) return kSmiOperations[i].name;
    switch (i) {
        case kFaultDmi: return "dmi";
        case kFaultHotkeyGet: return "hotkey-get";
        case kFaultHotkeySetup: return "hotkey-setup";
        case kFaultHotkeyRelease: return "hotkey-release";
        default: return nullptr;
    }
}
