// The 44-byte register-image block exchanged with the BIOS request driver.
#pragma once

#include <cstdint>

// Nonzero is success. The operations are 32-bit booleans on every platform.
using Bool32 = std::int32_t;

// The same layout travels in both directions: eleven little-endian words.
// Words 1 to 6 are the register image of the machine's BIOS call interface.
struct SmiRequest {
    std::uint32_t Status;   // reply: 0xFFFFFFFF when the machine refused the call
    std::uint32_t Eax;      // in: function code; out: AL is the main result
    std::uint32_t Ebx;      // in: BL sub-function, BH action or value
    std::uint32_t Ecx;
    std::uint32_t Edx;
    std::uint32_t Esi;
    std::uint32_t Edi;
    std::uint32_t Reserved[4];  // bytes 28-43; bytes 40 and 41 always 0
};
static_assert(sizeof(SmiRequest) == 44, "SmiRequest is the driver's 44-byte block");

inline constexpr std::uint32_t kSmiFailed = 0xFFFFFFFFu;

// The driver's only control code: FILE_DEVICE_UNKNOWN, function 0x800,
// METHOD_BUFFERED, FILE_ANY_ACCESS.
inline constexpr std::uint32_t kSmiIoctl = 0x222000u;

// The three function codes of the BIOS interface.
inline constexpr std::uint32_t kSmiFunctionPorts = 0x9610u;    // ports, PCI, infrared, Fn lock
inline constexpr std::uint32_t kSmiFunctionPower = 0x9611u;    // power management
inline constexpr std::uint32_t kSmiFunctionDisplay = 0x9612u;  // display, pointing stick, lid

// Byte and half-word fields of the register image.
inline std::uint8_t AL(const SmiRequest& r) { return static_cast<std::uint8_t>(r.Eax); }
inline std::uint8_t BL(const SmiRequest& r) { return static_cast<std::uint8_t>(r.Ebx); }
inline std::uint8_t BH(const SmiRequest& r) { return static_cast<std::uint8_t>(r.Ebx >> 8); }
inline std::uint8_t CL(const SmiRequest& r) { return static_cast<std::uint8_t>(r.Ecx); }
inline std::uint8_t CH(const SmiRequest& r) { return static_cast<std::uint8_t>(r.Ecx >> 8); }
inline std::uint8_t DL(const SmiRequest& r) { return static_cast<std::uint8_t>(r.Edx); }
inline std::uint8_t DH(const SmiRequest& r) { return static_cast<std::uint8_t>(r.Edx >> 8); }
inline std::uint16_t CX(const SmiRequest& r) { return static_cast<std::uint16_t>(r.Ecx); }
inline std::uint16_t DX(const SmiRequest& r) { return static_cast<std::uint16_t>(r.Edx); }
inline std::uint16_t SI(const SmiRequest& r) { return static_cast<std::uint16_t>(r.Esi); }
inline std::uint16_t DI(const SmiRequest& r) { return static_cast<std::uint16_t>(r.Edi); }
