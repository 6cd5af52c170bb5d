#include "simulator/machinesim/smi_log_format.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr int kAnyAction = -1;

// One row per operation: function code, sub-function (BL), action (BH) or any.
// Rows that name an action come before the row of the same sub-function
// that takes any other BH (the set with its value in BH).
struct OperationRow {
    std::uint32_t function;
    std::uint8_t subFunction;
    int action;
    const char* name;
};

constexpr OperationRow kOperations[] = {
    {kSmiFunctionDisplay, 0x10, 2, "GetGlidenubStatus"},
    {kSmiFunctionDisplay, 0x10, kAnyAction, "EnableGlidenub"},
    {kSmiFunctionDisplay, 0x0B, 0, "GetCurDisplay"},
    {kSmiFunctionDisplay, 0x0B, 1, "SetCurDisplay"},
    {kSmiFunctionDisplay, 0x0C, 0, "CheckMonitorConnect"},
    {kSmiFunctionDisplay, 0x12, 2, "GetScreenExpansion"},
    {kSmiFunctionDisplay, 0x12, kAnyAction, "EnableScreenExpansion"},
    {kSmiFunctionDisplay, 0x0E, 2, "GetNotSuspendForLCDClose"},
    {kSmiFunctionDisplay, 0x0E, kAnyAction, "SetNotSuspendForLCDClose"},

    {kSmiFunctionPower, 0x00, 0, "GetCurSystemMode"},
    {kSmiFunctionPower, 0x0D, 2, "GetScreenBlank"},
    {kSmiFunctionPower, 0x0D, kAnyAction, "SetScreenBlank"},
    {kSmiFunctionPower, 0x10, 2, "GetBrightMode"},
    {kSmiFunctionPower, 0x10, kAnyAction, "SetBrightMode"},
    {kSmiFunctionPower, 0x0E, 2, "GetSleepWhileDocked"},
    {kSmiFunctionPower, 0x0E, kAnyAction, "SetSleepWhileDocked"},
    {kSmiFunctionPower, 0x06, 2, "GetResumeOnTimer"},
    {kSmiFunctionPower, 0x06, kAnyAction, "SetResumeOnTimer"},
    {kSmiFunctionPower, 0x0F, 0, "GetHibernateStatus"},
    {kSmiFunctionPower, 0x0F, 1, "SetHibernateStatus"},
    {kSmiFunctionPower, 0x11, kAnyAction, "SetBIOSforPwrMgrSupport"},
    {kSmiFunctionPower, 0x13, kAnyAction, "SetSysPowerState"},
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
    {kSmiFunctionPower, 0x02, kAnyAction, "SetLCDOffTimer"},
    {kSmiFunctionPower, 0x83, 0, "GetHDDOffTimer"},
    {kSmiFunctionPower, 0x03, kAnyAction, "SetHDDOffTimer"},
    {kSmiFunctionPower, 0x8A, 0, "GetSysSuspendTimer"},
    {kSmiFunctionPower, 0x0A, kAnyAction, "SetSysSuspendTimer"},

    {kSmiFunctionPorts, 0x02, 0, "GetSerialPortStatus"},
    {kSmiFunctionPorts, 0x02, kAnyAction, "SetSerialPortStatus"},
    {kSmiFunctionPorts, 0x03, 0, "GetParallPortOpMode"},
    {kSmiFunctionPorts, 0x03, 1, "SetParallPortOpMode"},
    {kSmiFunctionPorts, 0x03, kAnyAction, "SetParallelPort"},
    {kSmiFunctionPorts, 0x1D, 0, "GetPCISteeringNum"},
    {kSmiFunctionPorts, 0x1E, kAnyAction, "GetPCISteeringIRQList"},
    {kSmiFunctionPorts, 0x1F, 2, "GetPCISteeringIRQ"},
    {kSmiFunctionPorts, 0x1F, kAnyAction, "SetPCISteeringIRQ"},
    {kSmiFunctionPorts, 0x29, 0, "GetInfraredStatus"},
    {kSmiFunctionPorts, 0x29, 1, "SetInfraredStatus"},
    {kSmiFunctionPorts, 0x20, 2, "GetFnKeyLockstatus"},
    {kSmiFunctionPorts, 0x20, kAnyAction, "SetFnKeyLockStatus"},
};
static_assert(sizeof kOperations / sizeof kOperations[0] == 50, "the catalogue has fifty operations");

void AppendWords(std::string& line, const SmiRequest& block) {
    std::uint32_t words[11];
    static_assert(sizeof words == sizeof block, "a block is eleven words");
    std::memcpy(words, &block, sizeof words);
    char text[12];
    for (std::uint32_t w : words) {
        std::snprintf(text, sizeof text, " %08X", w);
        line += text;
    }
}

}  // namespace

const char* SmiOperationName(const SmiRequest& request) {
    for (const OperationRow& row : kOperations) {
        if (row.function != request.Eax || row.subFunction != BL(request)) continue;
        if (row.action == kAnyAction || row.action == BH(request)) return row.name;
    }
    return "unknown";
}

std::string FormatSmiLogLine(const SmiLogEntry& entry, bool decode) {
    std::string line = "REQ";
    AppendWords(line, entry.request);
    line += " ->";
    AppendWords(line, entry.reply);
    if (decode) {
        line += ' ';
        line += SmiOperationName(entry.request);
    }
    return line;
}
