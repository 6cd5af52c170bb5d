// The blocks and control codes of the hot-key driver, \\.\hotkey.
#pragma once

#include <cstdint>

// Sent once by the service: bytes 4-7 enable the function, number,
// play-station and shutdown groups; bytes 8-11 are the polling time.
struct HotkeySetupBlock {
    std::uint8_t bytes[12];
};
static_assert(sizeof(HotkeySetupBlock) == 12, "the hot-key set-up block is 12 bytes");

// One pending key: byte 0 the group, byte 2 the key bit mask.
struct HotkeyEventBlock {
    std::uint8_t bytes[12];
};
static_assert(sizeof(HotkeyEventBlock) == 12, "the hot-key event block is 12 bytes");

inline constexpr unsigned kHotkeyEventGroup = 0;
inline constexpr unsigned kHotkeyEventMask = 2;

inline constexpr std::uint32_t kIoctlHotkeyGetEvent = 0x222000u;  // function 0x800
inline constexpr std::uint32_t kIoctlHotkeySetup = 0x222014u;     // function 0x805
inline constexpr std::uint32_t kIoctlHotkeyRelease = 0x222018u;   // function 0x806
