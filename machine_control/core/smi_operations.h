// The machine's catalogue of BIOS operations as they arrive: function code,
// sub-function (BL) and action (BH, or any). Shared by the model, which
// fails operations by number, and machinesim, which names them.
// Freestanding: the kernel driver holds it.
#pragma once

#include <cstdint>

#include "machine_control/core/smi_request.h"

inline constexpr int kSmiAnyAction = -1;

struct SmiOperation {
    std::uint32_t function;
    std::uint8_t subFunction;
    int action;
    const char* name;
};

// Rows that name an action come before the row of the same sub-function that
// takes any other BH (the set with its value in BH).
inline constexpr SmiOperation kSmiOperations[] = {
    {kSmiFunctionDisplay, 0x10, 2, "GetGlidenubStatus"},
    {kSmiFunctionDisplay, 0x10, kSmiAnyAction, "EnableGlidenub"},
    {kSmiFunctionDisplay, 0x0B, 0, "GetCurDisplay"},
    {kSmiFunctionDisplay, 0x0B, 1, "SetCurDisplay"},
    {kSmiFunctionDisplay, 0x0C, 0, "CheckMonitorConnect"},
    {kSmiFunctionDisplay, 0x12, 2, "GetScreenExpansion"},
    {kSmiFunctionDisplay, 0x12, kSmiAnyAction, "EnableScreenExpansion"},
    {kSmiFunctionDisplay, 0x0E, 2, "GetNotSuspendForLCDClose"},
    {kSmiFunctionDisplay, 0x0E, kSmiAnyAction, "SetNotSuspendForLCDClose"},

    {kSmiFunctionPower, 0x00, 0, "GetCurSystemMode"},
    {kSmiFunctionPower, 0x0D, 2, "GetScreenBlank"},
    {kSmiFunctionPower, 0x0D, kSmiAnyAction, "SetScreenBlank"},
    {kSmiFunctionPower, 0x10, 2, "GetBrightMode"},
    {kSmiFunctionPower, 0x10, kSmiAnyAction, "SetBrightMode"},
    {kSmiFunctionPower, 0x0E, 2, "GetSleepWhileDocked"},
    {kSmiFunctionPower, 0x0E, kSmiAnyAction, "SetSleepWhileDocked"},
    {kSmiFunctionPower, 0x06, 2, "GetResumeOnTimer"},
    {kSmiFunctionPower, 0x06, kSmiAnyAction, "SetResumeOnTimer"},
    {kSmiFunctionPower, 0x0F, 0, "GetHibernateStatus"},
    {kSmiFunctionPower, 0x0F, 1, "SetHibernateStatus"},
    {kSmiFunctionPower, 0x11, kSmiAnyAction, "SetBIOSforPwrMgrSupport"},
    {kSmiFunctionPower, 0x13, kSmiAnyAction, "SetSysPowerState"},
    {kSmiFunctionPower, 0x14, 0, "GetCPUSpeedforCustomized"},
    {kSmiFunctionPower, 0x14, 1, "SetCPUSpeedforCustomized"},
    {kSmiFunctionPower, 0x15, 0, "GetCDROMSpeed"},
    {kSmiFunctionPower, 0x15, 1, "SetCDROMSpeed"},
    {kSmiFunctionPower, 0x16, 0, "GetPowerMode"},
    {kSmiFunctionPower, 0x16, 1, "SetPowerMode"},
    {kSmiFunctionPower, 0x16, 2, "GetPowerModeDefaultInfo"},
    {kSmiFunctionPower, 0x20, 0, "GetPowerSource"},
    {kSmiFunctionPower, 0x27, 0, "wsbi_GetPowerSourceStatus"},
    {kSmiFunctionPower, 0x82, 0, "GetLCDOffTimer"},
    {kSmiFunctionPower, 0x02, kSmiAnyAction, "SetLCDOffTimer"},
    {kSmiFunctionPower, 0x83, 0, "GetHDDOffTimer"},
    {kSmiFunctionPower, 0x03, kSmiAnyAction, "SetHDDOffTimer"},
    {kSmiFunctionPower, 0x8A, 0, "GetSysSuspendTimer"},
    {kSmiFunctionPower, 0x0A, kSmiAnyAction, "SetSysSuspendTimer"},

    {kSmiFunctionPorts, 0x02, 0, "GetSerialPortStatus"},
    {kSmiFunctionPorts, 0x02, kSmiAnyAction, "SetSerialPortStatus"},
    {kSmiFunctionPorts, 0x03, 0, "GetParallPortOpMode"},
    {kSmiFunctionPorts, 0x03, 1, "SetParallPortOpMode"},
    {kSmiFunctionPorts, 0x03, kSmiAnyAction, "SetParallelPort"},
    {kSmiFunctionPorts, 0x1D, 0, "GetPCISteeringNum"},
    {kSmiFunctionPorts, 0x1E, kSmiAnyAction, "GetPCISteeringIRQList"},
    {kSmiFunctionPorts, 0x1F, 2, "GetPCISteeringIRQ"},
    {kSmiFunctionPorts, 0x1F, kSmiAnyAction, "SetPCISteeringIRQ"},
    {kSmiFunctionPorts, 0x29, 0, "GetInfraredStatus"},
    {kSmiFunctionPorts, 0x29, 1, "SetInfraredStatus"},
    {kSmiFunctionPorts, 0x20, 2, "GetFnKeyLockstatus"},
    {kSmiFunctionPorts, 0x20, kSmiAnyAction, "SetFnKeyLockStatus"},
};
inline constexpr std::uint32_t kSmiOperationCount = sizeof kSmiOperations / sizeof kSmiOperations[0];
static_assert(kSmiOperationCount == 50, "the catalogue has fifty operations");

// What a fault can be armed on: the fifty operations by their row, then the
// requests of the other two devices.
inline constexpr std::uint32_t kFaultDmi = kSmiOperationCount;
inline constexpr std::uint32_t kFaultHotkeyGet = kSmiOperationCount + 1;
inline constexpr std::uint32_t kFaultHotkeySetup = kSmiOperationCount + 2;
inline constexpr std::uint32_t kFaultHotkeyRelease = kSmiOperationCount + 3;
inline constexpr std::uint32_t kFaultTargets = kSmiOperationCount + 4;

// An armed fault's count that never runs out.
inline constexpr std::uint32_t kFaultAlways = 0xFFFFFFFFu;

// The row of the operation a request carries, or kSmiOperationCount when the
// machine does not know it.
constexpr std::uint32_t SmiOperationIndex(const SmiRequest& request) {
    for (std::uint32_t i = 0; i < kSmiOperationCount; ++i) {
        const SmiOperation& row = kSmiOperations[i];
        if (row.function != request.Eax || row.subFunction != static_cast<std::uint8_t>(request.Ebx)) continue;
        if (row.action == kSmiAnyAction || row.action == static_cast<std::uint8_t>(request.Ebx >> 8)) return i;
    }
    return kSmiOperationCount;
}

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
