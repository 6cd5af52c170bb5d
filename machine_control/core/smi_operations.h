// The catalogue of the machine's BIOS operations as they travel: function
// code, sub-function (BL) and action (BH, or any). The request library packs
// its fifty operations from it; the virtual notebook recognises, serves and
// names requests by it.
// Freestanding: the virtual notebook's kernel driver holds it.
#pragma once

#include <cstdint>

#include "machine_control/core/smi_request.h"

// The operations, in the order of their rows in kSmiOperations.
enum class SmiOp : std::uint8_t {
    GetGlidenubStatus,
    EnableGlidenub,
    GetCurDisplay,
    SetCurDisplay,
    CheckMonitorConnect,
    GetScreenExpansion,
    EnableScreenExpansion,
    GetNotSuspendForLCDClose,
    SetNotSuspendForLCDClose,

    GetCurSystemMode,
    GetScreenBlank,
    SetScreenBlank,
    GetBrightMode,
    SetBrightMode,
    GetSleepWhileDocked,
    SetSleepWhileDocked,
    GetResumeOnTimer,
    SetResumeOnTimer,
    GetHibernateStatus,
    SetHibernateStatus,
    SetBIOSforPwrMgrSupport,
    SetSysPowerState,
    GetCPUSpeedforCustomized,
    SetCPUSpeedforCustomized,
    GetCDROMSpeed,
    SetCDROMSpeed,
    GetPowerMode,
    SetPowerMode,
    GetPowerModeDefaultInfo,
    GetPowerSource,
    wsbi_GetPowerSourceStatus,
    GetLCDOffTimer,
    SetLCDOffTimer,
    GetHDDOffTimer,
    SetHDDOffTimer,
    GetSysSuspendTimer,
    SetSysSuspendTimer,

    GetSerialPortStatus,
    SetSerialPortStatus,
    GetParallPortOpMode,
    SetParallPortOpMode,
    SetParallelPort,
    GetPCISteeringNum,
    GetPCISteeringIRQList,
    GetPCISteeringIRQ,
    SetPCISteeringIRQ,
    GetInfraredStatus,
    SetInfraredStatus,
    GetFnKeyLockstatus,
    SetFnKeyLockStatus,
};

// A row whose BH carries a value rather than naming the operation.
inline constexpr int kSmiAnyAction = -1;

struct SmiOperation {
    SmiOp op;
    std::uint32_t function;
    std::uint8_t subFunction;
    int action;  // the BH that names the operation, or kSmiAnyAction
    const char* name;
};

// Rows that name an action come before the row of the same sub-function that
// takes any other BH (the set with its value in BH).
inline constexpr SmiOperation kSmiOperations[] = {
    {SmiOp::GetGlidenubStatus, kSmiFunctionDisplay, 0x10, 2, "GetGlidenubStatus"},
    {SmiOp::EnableGlidenub, kSmiFunctionDisplay, 0x10, kSmiAnyAction, "EnableGlidenub"},
    {SmiOp::GetCurDisplay, kSmiFunctionDisplay, 0x0B, 0, "GetCurDisplay"},
    {SmiOp::SetCurDisplay, kSmiFunctionDisplay, 0x0B, 1, "SetCurDisplay"},
    {SmiOp::CheckMonitorConnect, kSmiFunctionDisplay, 0x0C, 0, "CheckMonitorConnect"},
    {SmiOp::GetScreenExpansion, kSmiFunctionDisplay, 0x12, 2, "GetScreenExpansion"},
    {SmiOp::EnableScreenExpansion, kSmiFunctionDisplay, 0x12, kSmiAnyAction, "EnableScreenExpansion"},
    {SmiOp::GetNotSuspendForLCDClose, kSmiFunctionDisplay, 0x0E, 2, "GetNotSuspendForLCDClose"},
    {SmiOp::SetNotSuspendForLCDClose, kSmiFunctionDisplay, 0x0E, kSmiAnyAction, "SetNotSuspendForLCDClose"},

    {SmiOp::GetCurSystemMode, kSmiFunctionPower, 0x00, 0, "GetCurSystemMode"},
    {SmiOp::GetScreenBlank, kSmiFunctionPower, 0x0D, 2, "GetScreenBlank"},
    {SmiOp::SetScreenBlank, kSmiFunctionPower, 0x0D, kSmiAnyAction, "SetScreenBlank"},
    {SmiOp::GetBrightMode, kSmiFunctionPower, 0x10, 2, "GetBrightMode"},
    {SmiOp::SetBrightMode, kSmiFunctionPower, 0x10, kSmiAnyAction, "SetBrightMode"},
    {SmiOp::GetSleepWhileDocked, kSmiFunctionPower, 0x0E, 2, "GetSleepWhileDocked"},
    {SmiOp::SetSleepWhileDocked, kSmiFunctionPower, 0x0E, kSmiAnyAction, "SetSleepWhileDocked"},
    {SmiOp::GetResumeOnTimer, kSmiFunctionPower, 0x06, 2, "GetResumeOnTimer"},
    {SmiOp::SetResumeOnTimer, kSmiFunctionPower, 0x06, kSmiAnyAction, "SetResumeOnTimer"},
    {SmiOp::GetHibernateStatus, kSmiFunctionPower, 0x0F, 0, "GetHibernateStatus"},
    {SmiOp::SetHibernateStatus, kSmiFunctionPower, 0x0F, 1, "SetHibernateStatus"},
    {SmiOp::SetBIOSforPwrMgrSupport, kSmiFunctionPower, 0x11, kSmiAnyAction, "SetBIOSforPwrMgrSupport"},
    {SmiOp::SetSysPowerState, kSmiFunctionPower, 0x13, kSmiAnyAction, "SetSysPowerState"},
    {SmiOp::GetCPUSpeedforCustomized, kSmiFunctionPower, 0x14, 0, "GetCPUSpeedforCustomized"},
    {SmiOp::SetCPUSpeedforCustomized, kSmiFunctionPower, 0x14, 1, "SetCPUSpeedforCustomized"},
    {SmiOp::GetCDROMSpeed, kSmiFunctionPower, 0x15, 0, "GetCDROMSpeed"},
    {SmiOp::SetCDROMSpeed, kSmiFunctionPower, 0x15, 1, "SetCDROMSpeed"},
    {SmiOp::GetPowerMode, kSmiFunctionPower, 0x16, 0, "GetPowerMode"},
    {SmiOp::SetPowerMode, kSmiFunctionPower, 0x16, 1, "SetPowerMode"},
    {SmiOp::GetPowerModeDefaultInfo, kSmiFunctionPower, 0x16, 2, "GetPowerModeDefaultInfo"},
    {SmiOp::GetPowerSource, kSmiFunctionPower, 0x20, 0, "GetPowerSource"},
    {SmiOp::wsbi_GetPowerSourceStatus, kSmiFunctionPower, 0x27, 0, "wsbi_GetPowerSourceStatus"},
    {SmiOp::GetLCDOffTimer, kSmiFunctionPower, 0x82, 0, "GetLCDOffTimer"},
    {SmiOp::SetLCDOffTimer, kSmiFunctionPower, 0x02, kSmiAnyAction, "SetLCDOffTimer"},
    {SmiOp::GetHDDOffTimer, kSmiFunctionPower, 0x83, 0, "GetHDDOffTimer"},
    {SmiOp::SetHDDOffTimer, kSmiFunctionPower, 0x03, kSmiAnyAction, "SetHDDOffTimer"},
    {SmiOp::GetSysSuspendTimer, kSmiFunctionPower, 0x8A, 0, "GetSysSuspendTimer"},
    {SmiOp::SetSysSuspendTimer, kSmiFunctionPower, 0x0A, kSmiAnyAction, "SetSysSuspendTimer"},

    {SmiOp::GetSerialPortStatus, kSmiFunctionPorts, 0x02, 0, "GetSerialPortStatus"},
    {SmiOp::SetSerialPortStatus, kSmiFunctionPorts, 0x02, kSmiAnyAction, "SetSerialPortStatus"},
    {SmiOp::GetParallPortOpMode, kSmiFunctionPorts, 0x03, 0, "GetParallPortOpMode"},
    {SmiOp::SetParallPortOpMode, kSmiFunctionPorts, 0x03, 1, "SetParallPortOpMode"},
    {SmiOp::SetParallelPort, kSmiFunctionPorts, 0x03, kSmiAnyAction, "SetParallelPort"},
    {SmiOp::GetPCISteeringNum, kSmiFunctionPorts, 0x1D, 0, "GetPCISteeringNum"},
    {SmiOp::GetPCISteeringIRQList, kSmiFunctionPorts, 0x1E, kSmiAnyAction, "GetPCISteeringIRQList"},
    {SmiOp::GetPCISteeringIRQ, kSmiFunctionPorts, 0x1F, 2, "GetPCISteeringIRQ"},
    {SmiOp::SetPCISteeringIRQ, kSmiFunctionPorts, 0x1F, kSmiAnyAction, "SetPCISteeringIRQ"},
    {SmiOp::GetInfraredStatus, kSmiFunctionPorts, 0x29, 0, "GetInfraredStatus"},
    {SmiOp::SetInfraredStatus, kSmiFunctionPorts, 0x29, 1, "SetInfraredStatus"},
    {SmiOp::GetFnKeyLockstatus, kSmiFunctionPorts, 0x20, 2, "GetFnKeyLockstatus"},
    {SmiOp::SetFnKeyLockStatus, kSmiFunctionPorts, 0x20, kSmiAnyAction, "SetFnKeyLockStatus"},
};
inline constexpr std::uint32_t kSmiOperationCount = sizeof kSmiOperations / sizeof kSmiOperations[0];
static_assert(kSmiOperationCount == 50, "the catalogue has fifty operations");

constexpr const SmiOperation& SmiOperationRow(SmiOp op) { return kSmiOperations[static_cast<std::uint32_t>(op)]; }

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
