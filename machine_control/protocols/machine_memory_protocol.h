// The virtual notebook's memory. Windows under the virtual notebook counts the
// memory of the computer it runs on, not the notebook's; the notebook's own
// control device, \\.\VirtualNotebook, answers how much memory the notebook
// has: control code kIoctlMachineMemory, no input, a little-endian 32-bit
// count of MiB out. The device exists only where the virtual notebook runs,
// so the save-to-disk utility asks it first and Windows when it is not there.
#pragma once

#include <cstdint>

inline constexpr char kVirtualNotebookDeviceName[] = "\\\\.\\VirtualNotebook";

// FILE_DEVICE_UNKNOWN, METHOD_BUFFERED, FILE_ANY_ACCESS; function 0x90D.
inline constexpr std::uint32_t kIoctlMachineMemory = 0x222434u;

// What a notebook of its day has, and what it can have: from the least that
// Windows 95 runs in up to the most that a 32-bit count of bytes holds.
inline constexpr std::uint32_t kDefaultMemoryMegabytes = 64;
inline constexpr std::uint32_t kLeastMemoryMegabytes = 4;
inline constexpr std::uint32_t kMostMemoryMegabytes = 4095;
