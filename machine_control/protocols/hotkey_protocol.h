// The blocks and control codes exchanged with the hot-key driver, \\.\hotkey.
#pragma once

#include <cstdint>

inline constexpr char kHotkeyDeviceName[] = "\\\\.\\hotkey";
// Set by the driver while a key waits to be taken.
inline constexpr char kHotkeyEventName[] = "HotkeyEvent";

// Sent once at start: which key groups the driver reports and how often it polls.
struct HotkeySetupBlock {
    std::uint8_t reserved[4];          // always 0
    std::uint8_t functionEnabled;      // 1 = function-key group on
    std::uint8_t numberEnabled;        // 1 = number-key group on
    std::uint8_t playstationEnabled;   // 1 = play-station group on
    std::uint8_t shutdownEnabled;      // 1 = shutdown keys on
    std::uint8_t pollingTime[4];       // 32-bit little-endian
};
static_assert(sizeof(HotkeySetupBlock) == 12, "the hot-key set-up block is 12 bytes");

// The key groups of an event: the function keys, the play-station keys (with
// the shutdown keys 7 and 8); any other group is the number keys.
inline constexpr std::uint8_t kFunctionKeyGroup = 0;
inline constexpr std::uint8_t kPlaystationKeyGroup = 2;

// Exchanged once per event: sent as zeros, read back with the pending key.
struct HotkeyEventBlock {
    std::uint8_t group;       // kFunctionKeyGroup, kPlaystationKeyGroup, else number keys
    std::uint8_t unused1;
    std::uint8_t keyMask;     // lowest set bit k is key k+1; none is key 9
    std::uint8_t unused[9];
};
static_assert(sizeof(HotkeyEventBlock) == 12, "the hot-key event block is 12 bytes");

// FILE_DEVICE_UNKNOWN, METHOD_BUFFERED, FILE_ANY_ACCESS; functions 0x800, 0x805, 0x806.
inline constexpr std::uint32_t IoctlHotkeyGetEvent = 0x222000u;
inline constexpr std::uint32_t IoctlHotkeySetup = 0x222014u;
inline constexpr std::uint32_t IoctlHotkeyRelease = 0x222018u;
