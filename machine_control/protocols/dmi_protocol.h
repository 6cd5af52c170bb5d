// The DMI proxy driver, \\.\veltrova: one buffered request with no input that
// answers the machine's SMBIOS structure table.
#pragma once

#include <cstdint>

inline constexpr char kDmiDeviceName[] = "\\\\.\\veltrova";

// FILE_DEVICE_UNKNOWN, METHOD_BUFFERED, FILE_ANY_ACCESS; function 0x800.
inline constexpr std::uint32_t kIoctlDmiGetTable = 0x222000u;

// The callers' reply buffer, and so the largest table the machine hands out.
inline constexpr std::uint32_t kSmbiosTableMax = 2048;
