#include "simulator/machinesim/machine_state_fields.h"

#include <cstddef>
#include <cstdio>
#include <cstring>
#include <type_traits>

namespace {

struct StateField {
    const char* name;
    std::size_t offset;
    std::uint8_t size;   // bytes of one element: 1, 2 or 4
    std::uint8_t count;  // elements; more than one is shown with an index
    bool hex;            // flags, masks and BCD read better in hexadecimal
};

// One row per field; an array's element size and count come from its type.
#define SCALAR(member, hex) \
    StateField{#member, offsetof(MachineState, member), sizeof(MachineState::member), 1, hex}
#define ARRAY(member, hex)                                                                          \
    StateField{#member, offsetof(MachineState, member),                                             \
               sizeof(std::remove_extent_t<decltype(MachineState::member)>),                        \
               static_cast<std::uint8_t>(std::extent_v<decltype(MachineState::member)>), hex}

constexpr StateField kFields[] = {
    SCALAR(glidenub, false),
    SCALAR(curDisplay, false),
    SCALAR(monitorConnected, false),
    SCALAR(screenExpansion, false),
    SCALAR(notSuspendForLcdClose, false),
    SCALAR(systemMode, false),
    SCALAR(screenBlank, false),
    SCALAR(brightMode, false),
    SCALAR(sleepWhileDocked, false),
    SCALAR(resumeEnabled, false),
    SCALAR(resumeHours, true),
    SCALAR(resumeMinutes, true),
    SCALAR(resumeSeconds, true),
    SCALAR(hibernateFlags, true),
    SCALAR(hibernateTimer, false),
    SCALAR(pwrMgrSupport, false),
    SCALAR(sysPowerState, false),
    SCALAR(cdromSpeed, false),
    ARRAY(powerMode, false),
    ARRAY(cpuSpeed, false),
    ARRAY(lcdOffTimer, false),
    ARRAY(hddOffTimer, false),
    ARRAY(suspendTimer, false),
    SCALAR(externalPower, false),
    SCALAR(batteryPercent, false),
    SCALAR(batteryFlags, true),
    SCALAR(resumeDate, true),
    SCALAR(resumeYear, true),
    SCALAR(serialPortStatus, true),
    SCALAR(parallelPortStatus, true),
    SCALAR(parallelPortWord, true),
    SCALAR(parallelPortByte, false),
    SCALAR(parallelPortMode, false),
    SCALAR(parallelPortDma, false),
    SCALAR(pciPinCount, false),
    ARRAY(pciIrqMask, true),
    ARRAY(pciIrqAssigned, false),
    ARRAY(pciIrq, false),
    SCALAR(infrared, false),
    SCALAR(fnKeyLock, false),
    SCALAR(memoryMegabytes, false),
    SCALAR(powerSourceAnswer, true),
    SCALAR(batteryHeld, false),
    SCALAR(sysPowerRequests, false),
    SCALAR(batteryMilliseconds, false),
};

#undef SCALAR
#undef ARRAY

std::uint32_t Read(const MachineState& state, const StateField& f, unsigned index) {
    const auto* p = reinterpret_cast<const std::uint8_t*>(&state) + f.offset + index * f.size;
    std::uint32_t v = 0;
    std::memcpy(&v, p, f.size);  // little-endian on every target
    return v;
}

void Write(MachineState& state, const StateField& f, unsigned index, std::uint32_t v) {
    auto* p = reinterpret_cast<std::uint8_t*>(&state) + f.offset + index * f.size;
    std::memcpy(p, &v, f.size);
}

}  // namespace

std::string FormatMachineState(const MachineState& state) {
    std::string out;
    char line[96];
    for (const StateField& f : kFields) {
        for (unsigned i = 0; i < f.count; ++i) {
            char name[48];
            if (f.count > 1) std::snprintf(name, sizeof name, "%s[%u]", f.name, i);
            else std::snprintf(name, sizeof name, "%s", f.name);
            const std::uint32_t v = Read(state, f, i);
            if (f.hex) std::snprintf(line, sizeof line, "%s=0x%0*X\n", name, f.size * 2, v);
            else std::snprintf(line, sizeof line, "%s=%u\n", name, v);
            out += line;
        }
    }
    return out;
}

bool SetMachineStateField(MachineState& state, std::string_view assignment) {
    const std::size_t equals = assignment.find('=');
    if (equals == std::string_view::npos) return false;
    std::string_view name = assignment.substr(0, equals);
    std::uint32_t index = 0;
    bool indexed = false;
    if (!name.empty() && name.back() == ']') {
        const std::size_t open = name.find('[');
        if (open == std::string_view::npos || !ParseMachineNumber(name.substr(open + 1, name.size() - open - 2), index))
            return false;
        name = name.substr(0, open);
        indexed = true;
    }
    std::uint32_t value = 0;
    if (!ParseMachineNumber(assignment.substr(equals + 1), value)) return false;
    for (const StateField& f : kFields) {
        if (name != f.name) continue;
        if (indexed != (f.count > 1) || index >= f.count) return false;
        if (f.size < 4 && value >> (8 * f.size) != 0) return false;
        Write(state, f, index, value);
        return true;
    }
    return false;
}

bool ParseMachineNumber(std::string_view text, std::uint32_t& value) {
    unsigned base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty()) return false;
    std::uint64_t v = 0;
    for (char c : text) {
        unsigned digit;
        if (c >= '0' && c <= '9') digit = unsigned(c - '0');
        else if (base == 16 && c >= 'a' && c <= 'f') digit = unsigned(c - 'a' + 10);
        else if (base == 16 && c >= 'A' && c <= 'F') digit = unsigned(c - 'A' + 10);
        else return false;
        if (digit >= base) return false;
        v = v * base + digit;
        if (v > 0xFFFFFFFFu) return false;
    }
    value = static_cast<std::uint32_t>(v);
    return true;
}

