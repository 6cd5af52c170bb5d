#include "machine_control/core/machine_operations.h"

#include "machine_control/core/smi_channel.h"
#include "machine_control/core/smi_operations.h"

namespace {

struct Registers {
    uint32_t ecx = 0;
    uint32_t edx = 0;
    uint32_t esi = 0;
    uint32_t edi = 0;
};

// Step 1: a fresh block, all words zero but the ones the operation names.
constexpr SmiRequest Block(uint32_t function, uint32_t ebx, Registers regs) {
    SmiRequest r{};
    r.Eax = function;
    r.Ebx = ebx;
    r.Ecx = regs.ecx;
    r.Edx = regs.edx;
    r.Esi = regs.esi;
    r.Edi = regs.edi;
    return r;
}

// The operation's row: BL = sub-function, BH = the action that names it.
template <SmiOp op>
SmiRequest Request(Registers regs = {}) {
    constexpr SmiOperation row = SmiOperationRow(op);
    static_assert(row.action != kSmiAnyAction, "this operation carries a value in BH");
    return Block(row.function, (static_cast<uint32_t>(row.action) << 8) | row.subFunction, regs);
}

// BL = sub-function, BH = an 8-bit value (for GetSerialPortStatus the action,
// which every caller passes as the row's 0).
template <SmiOp op>
SmiRequest ByteInBh(uint8_t value, Registers regs = {}) {
    constexpr SmiOperation row = SmiOperationRow(op);
    return Block(row.function, (uint32_t{value} << 8) | row.subFunction, regs);
}

// A 32-bit value shifted above the sub-function; its bits above 23 fall off.
template <SmiOp op>
SmiRequest WordAboveBl(uint32_t value, Registers regs = {}) {
    constexpr SmiOperation row = SmiOperationRow(op);
    static_assert(row.action == kSmiAnyAction, "this operation's row names its BH");
    return Block(row.function, (value << 8) | row.subFunction, regs);
}

// Two bytes of a register: high and low (the upper half stays zero).
constexpr uint32_t Bytes(uint8_t high, uint8_t low) { return (uint32_t{high} << 8) | low; }

// The catalogue reads back what it packs: every row stands at its
// operation's place, and a request with the row's own BH (or, for a row that
// takes any BH, one that no sibling names) is found as that row, so no row
// hides another.
constexpr uint32_t FreeAction(const SmiOperation& any) {
    for (uint32_t action = 0; action <= 0xFF; ++action) {
        bool named = false;
        for (const SmiOperation& row : kSmiOperations)
            named = named || (row.function == any.function && row.subFunction == any.subFunction &&
                              row.action == static_cast<int>(action));
        if (!named) return action;
    }
    return 0x100;
}

constexpr bool RowsReadBack() {
    for (uint32_t i = 0; i < kSmiOperationCount; ++i) {
        const SmiOperation& row = kSmiOperations[i];
        const uint32_t action = row.action == kSmiAnyAction ? FreeAction(row) : static_cast<uint32_t>(row.action);
        if (static_cast<uint32_t>(row.op) != i || action > 0xFF) return false;
        if (SmiOperationIndex(Block(row.function, (action << 8) | row.subFunction, {})) != i) return false;
    }
    return true;
}
static_assert(RowsReadBack(), "each request packed from a row is read back as that row");

// Steps 2 to 4: true when the driver answered and the machine did not refuse.
bool Send(SmiRequest& block) {
    return SendSmiRequest(block, block) && block.Status != kSmiFailed;
}

Bool32 Set(SmiRequest block) { return Send(block) ? 1 : 0; }

template <typename T>
Bool32 Query(SmiRequest block, T (*field)(const SmiRequest&), T& out) {
    if (!Send(block)) return 0;
    out = field(block);
    return 1;
}

}  // namespace

// ---- 0x9612 ----

Bool32 GetGlidenubStatus(uint8_t& state) { return Query(Request<SmiOp::GetGlidenubStatus>(), AL, state); }
Bool32 EnableGlidenub(uint8_t value) { return Set(ByteInBh<SmiOp::EnableGlidenub>(value)); }
Bool32 GetCurDisplay(uint8_t& display) { return Query(Request<SmiOp::GetCurDisplay>(), CL, display); }
Bool32 SetCurDisplay(uint8_t display) { return Set(Request<SmiOp::SetCurDisplay>({.ecx = display})); }
Bool32 CheckMonitorConnect() { return Set(Request<SmiOp::CheckMonitorConnect>()); }
Bool32 GetScreenExpansion(uint8_t& state) { return Query(Request<SmiOp::GetScreenExpansion>(), AL, state); }
Bool32 EnableScreenExpansion(uint32_t value) { return Set(WordAboveBl<SmiOp::EnableScreenExpansion>(value)); }
Bool32 GetNotSuspendForLCDClose(uint8_t& state) {
    return Query(Request<SmiOp::GetNotSuspendForLCDClose>(), AL, state);
}
Bool32 SetNotSuspendForLCDClose(uint32_t value) { return Set(WordAboveBl<SmiOp::SetNotSuspendForLCDClose>(value)); }

// ---- 0x9611 ----

Bool32 GetCurSystemMode(uint8_t& mode) { return Query(Request<SmiOp::GetCurSystemMode>(), AL, mode); }
Bool32 GetScreenBlank(uint8_t& state) { return Query(Request<SmiOp::GetScreenBlank>(), AL, state); }
Bool32 SetScreenBlank(uint32_t value) { return Set(WordAboveBl<SmiOp::SetScreenBlank>(value)); }
Bool32 GetBrightMode(uint8_t& mode) { return Query(Request<SmiOp::GetBrightMode>(), AL, mode); }
Bool32 SetBrightMode(uint8_t value) { return Set(ByteInBh<SmiOp::SetBrightMode>(value)); }
Bool32 GetSleepWhileDocked(uint8_t& state) { return Query(Request<SmiOp::GetSleepWhileDocked>(), AL, state); }
Bool32 SetSleepWhileDocked(uint32_t value) { return Set(WordAboveBl<SmiOp::SetSleepWhileDocked>(value)); }

Bool32 GetResumeOnTimer(uint8_t& a, uint8_t& b, uint8_t& c, uint8_t& d, uint16_t& e, uint16_t& f) {
    SmiRequest r = Request<SmiOp::GetResumeOnTimer>();
    if (!Send(r)) return 0;
    a = AL(r);
    b = DH(r);
    c = DL(r);
    d = CH(r);
    e = SI(r);
    f = DI(r);
    return 1;
}

Bool32 SetResumeOnTimer(uint32_t enable, uint8_t b, uint8_t c, uint8_t d, uint16_t e, uint16_t f) {
    return Set(WordAboveBl<SmiOp::SetResumeOnTimer>(enable,
                                                    {.ecx = Bytes(d, 0), .edx = Bytes(b, c), .esi = e, .edi = f}));
}

Bool32 GetHibernateStatus(uint8_t& flags, uint8_t& value) {
    SmiRequest r = Request<SmiOp::GetHibernateStatus>();
    if (!Send(r)) return 0;
    flags = CL(r);
    value = DH(r);
    return 1;
}

Bool32 SetHibernateStatus(uint8_t flags, uint8_t value) {
    return Set(Request<SmiOp::SetHibernateStatus>({.ecx = flags, .edx = Bytes(value, 0)}));
}

Bool32 SetBIOSforPwrMgrSupport(uint8_t value) { return Set(ByteInBh<SmiOp::SetBIOSforPwrMgrSupport>(value)); }
Bool32 SetSysPowerState(uint8_t value) { return Set(ByteInBh<SmiOp::SetSysPowerState>(value)); }

Bool32 GetCPUSpeedforCustomized(uint8_t selector, uint8_t& speed) {
    return Query(Request<SmiOp::GetCPUSpeedforCustomized>({.edx = selector}), CL, speed);
}
Bool32 SetCPUSpeedforCustomized(uint8_t selector, uint8_t speed) {
    return Set(Request<SmiOp::SetCPUSpeedforCustomized>({.ecx = speed, .edx = selector}));
}
Bool32 GetCDROMSpeed(uint8_t& speed) { return Query(Request<SmiOp::GetCDROMSpeed>(), CL, speed); }
Bool32 SetCDROMSpeed(uint8_t speed) { return Set(Request<SmiOp::SetCDROMSpeed>({.ecx = speed})); }
Bool32 GetPowerMode(uint8_t selector, uint8_t& mode) {
    return Query(Request<SmiOp::GetPowerMode>({.edx = selector}), CL, mode);
}
Bool32 SetPowerMode(uint8_t selector, uint8_t mode) {
    return Set(Request<SmiOp::SetPowerMode>({.ecx = mode, .edx = selector}));
}

Bool32 GetPowerModeDefaultInfo(uint8_t selector, uint8_t mode, uint8_t& a, uint8_t& b, uint8_t& c, uint8_t& d) {
    SmiRequest r = Request<SmiOp::GetPowerModeDefaultInfo>({.ecx = mode, .edx = selector});
    if (!Send(r)) return 0;
    a = BH(r);
    b = BL(r);
    c = CH(r);
    d = DH(r);
    return 1;
}

Bool32 GetPowerSource(uint8_t& source) { return Query(Request<SmiOp::GetPowerSource>(), AL, source); }

Bool32 wsbi_GetPowerSourceStatus(uint16_t selector, uint8_t& a, uint8_t& b, uint8_t& c, uint8_t& d, uint16_t& e) {
    SmiRequest r = Request<SmiOp::wsbi_GetPowerSourceStatus>({.ecx = selector});
    if (!Send(r)) return 0;
    a = BH(r);
    b = BL(r);
    c = CH(r);
    d = CL(r);
    e = DX(r);
    return 1;
}

Bool32 GetLCDOffTimer(uint8_t selector, uint8_t& value) {
    return Query(Request<SmiOp::GetLCDOffTimer>({.edx = selector}), BH, value);
}
Bool32 SetLCDOffTimer(uint8_t selector, uint8_t value) {
    return Set(ByteInBh<SmiOp::SetLCDOffTimer>(value, {.edx = selector}));
}
Bool32 GetHDDOffTimer(uint8_t selector, uint8_t& value) {
    return Query(Request<SmiOp::GetHDDOffTimer>({.edx = selector}), BH, value);
}
Bool32 SetHDDOffTimer(uint8_t selector, uint8_t value) {
    return Set(ByteInBh<SmiOp::SetHDDOffTimer>(value, {.edx = selector}));
}
Bool32 GetSysSuspendTimer(uint8_t selector, uint8_t& value) {
    return Query(Request<SmiOp::GetSysSuspendTimer>({.edx = selector}), BH, value);
}
Bool32 SetSysSuspendTimer(uint8_t selector, uint8_t value) {
    return Set(ByteInBh<SmiOp::SetSysSuspendTimer>(value, {.edx = selector}));
}

// ---- 0x9610 ----

Bool32 GetSerialPortStatus(uint8_t action, uint8_t& state) {
    return Query(ByteInBh<SmiOp::GetSerialPortStatus>(action), AL, state);
}
Bool32 SetSerialPortStatus(uint8_t value) { return Set(ByteInBh<SmiOp::SetSerialPortStatus>(value)); }

Bool32 GetParallPortOpMode(uint8_t& mode, uint16_t& x, uint8_t& y, uint8_t& z, uint8_t& w) {
    SmiRequest r = Request<SmiOp::GetParallPortOpMode>();
    if (!Send(r)) return 0;
    mode = AL(r);
    x = CX(r);
    y = DL(r);
    z = DH(r) & 0x3F;
    w = DH(r) >> 6;
    return 1;
}

Bool32 SetParallPortOpMode(uint16_t x, uint8_t y, uint8_t z, uint8_t w) {
    const uint8_t dh = static_cast<uint8_t>(((w & 3) << 6) | (z & 0x3F));
    return Set(Request<SmiOp::SetParallPortOpMode>({.ecx = x, .edx = Bytes(dh, y)}));
}

Bool32 SetParallelPort(uint8_t value) { return Set(ByteInBh<SmiOp::SetParallelPort>(value)); }
Bool32 GetPCISteeringNum(uint8_t& count) { return Query(Request<SmiOp::GetPCISteeringNum>(), CH, count); }
Bool32 GetPCISteeringIRQList(uint8_t index, uint16_t& list) {
    return Query(ByteInBh<SmiOp::GetPCISteeringIRQList>(index), CX, list);
}

Bool32 GetPCISteeringIRQ(uint8_t index, uint8_t& a, uint8_t& irq) {
    SmiRequest r = Request<SmiOp::GetPCISteeringIRQ>({.ecx = index});
    if (!Send(r)) return 0;
    a = AL(r);
    irq = CH(r);
    return 1;
}

Bool32 SetPCISteeringIRQ(uint8_t index, uint32_t action, uint8_t irq) {
    return Set(WordAboveBl<SmiOp::SetPCISteeringIRQ>(action, {.ecx = Bytes(irq, index)}));
}

Bool32 GetInfraredStatus(uint8_t& state) { return Query(Request<SmiOp::GetInfraredStatus>(), AL, state); }
Bool32 SetInfraredStatus(uint8_t value) { return Set(Request<SmiOp::SetInfraredStatus>({.ecx = value})); }
Bool32 GetFnKeyLockstatus(uint8_t& state) { return Query(Request<SmiOp::GetFnKeyLockstatus>(), AL, state); }
Bool32 SetFnKeyLockStatus(uint32_t value) { return Set(WordAboveBl<SmiOp::SetFnKeyLockStatus>(value)); }
