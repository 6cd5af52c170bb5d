// The set-up block built from the service's registry values.
#pragma once

#include <cstddef>
#include <cstdint>

#include "machine_control/protocols/hotkey_protocol.h"

// The values of the service key as read; a null string or null polling data
// means the value was missing (or too long for its buffer).
struct HotkeyServiceValues {
    const char* function = nullptr;
    const char* number = nullptr;
    const char* playstation = nullptr;
    const char* shutdown = nullptr;
    const std::uint8_t* pollingTime = nullptr;
    std::size_t pollingTimeSize = 0;
};

inline constexpr std::uint32_t kDefaultPollingTime = 10;

// Fills block from values. A group is on unless its value starts with '0'.
// A missing polling time, or one shorter than four bytes, gives 10. Returns
// false with missingValue set to the name of the first missing group value.
bool BuildHotkeySetupBlock(const HotkeyServiceValues& values, HotkeySetupBlock& block, const char*& missingValue);
