#include "machine_control/core/machine_operations.h"

#include "machine_control/core/smi_channel.h"

namespace {

struct Registers {
    uint32_t ecx = 0;
    uint32_t edx = 0;
    uint32_t esi = 0;
    uint32_t edi = 0;
};

// Step 1: a fresh block, all words zero but the ones the operation names.
SmiRequest Request(uint32_t function, uint32_t ebx, Registers regs = {}) {
    SmiRequest r{};
    r.Eax = function;
    r.Ebx = ebx;
    r.Ecx = regs.ecx;
    r.Edx = regs.edx;
    r.Esi = regs.esi;
    r.Edi = regs.edi;
    return r;
}

// BL = sub-function, BH = an 8-bit value.
constexpr uint32_t ByteInBh(uint32_t sub, uint8_t value) { return (uint32_t{value} << 8) | sub; }

// A 32-bit value shifted above the sub-function; its bits above 23 fall off.
constexpr uint32_t WordAboveBl(uint32_t sub, uint32_t value) { return (value << 8) | sub; }

// Two bytes of a register: high and low (the upper half stays zero).
constexpr uint32_t Bytes(uint8_t high, uint8_t low) { return (uint32_t{high} << 8) | low; }

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

Bool32 GetGlidenubStatus(uint8_t& state) { return Query(Request(kSmiFunctionDisplay, 0x0210), AL, state); }
Bool32 EnableGlidenub(uint8_t value) { return Set(Request(kSmiFunctionDisplay, ByteInBh(0x10, value))); }
Bool32 GetCurDisplay(uint8_t& display) { return Query(Request(kSmiFunctionDisplay, 0x000B), CL, display); }
Bool32 SetCurDisplay(uint8_t display) { return Set(Request(kSmiFunctionDisplay, 0x010B, {.ecx = display})); }
Bool32 CheckMonitorConnect() { return Set(Request(kSmiFunctionDisplay, 0x000C)); }
Bool32 GetScreenExpansion(uint8_t& state) { return Query(Request(kSmiFunctionDisplay, 0x0212), AL, state); }
Bool32 EnableScreenExpansion(uint32_t value) { return Set(Request(kSmiFunctionDisplay, WordAboveBl(0x12, value))); }
Bool32 GetNotSuspendForLCDClose(uint8_t& state) { return Query(Request(kSmiFunctionDisplay, 0x020E), AL, state); }
Bool32 SetNotSuspendForLCDClose(uint32_t value) { return Set(Request(kSmiFunctionDisplay, WordAboveBl(0x0E, value))); }

// ---- 0x9611 ----

Bool32 GetCurSystemMode(uint8_t& mode) { return Query(Request(kSmiFunctionPower, 0x0000), AL, mode); }
Bool32 GetScreenBlank(uint8_t& state) { return Query(Request(kSmiFunctionPower, 0x020D), AL, state); }
Bool32 SetScreenBlank(uint32_t value) { return Set(Request(kSmiFunctionPower, WordAboveBl(0x0D, value))); }
Bool32 GetBrightMode(uint8_t& mode) { return Query(Request(kSmiFunctionPower, 0x0210), AL, mode); }
Bool32 SetBrightMode(uint8_t value) { return Set(Request(kSmiFunctionPower, ByteInBh(0x10, value))); }
Bool32 GetSleepWhileDocked(uint8_t& state) { return Query(Request(kSmiFunctionPower, 0x020E), AL, state); }
Bool32 SetSleepWhileDocked(uint32_t value) { return Set(Request(kSmiFunctionPower, WordAboveBl(0x0E, value))); }

Bool32 GetResumeOnTimer(uint8_t& a, uint8_t& b, uint8_t& c, uint8_t& d, uint16_t& e, uint16_t& f) {
    SmiRequest r = Request(kSmiFunctionPower, 0x0206);
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
    return Set(Request(kSmiFunctionPower, WordAboveBl(0x06, enable),
                       {.ecx = Bytes(d, 0), .edx = Bytes(b, c), .esi = e, .edi = f}));
}

Bool32 GetHibernateStatus(uint8_t& flags, uint8_t& value) {
    SmiRequest r = Request(kSmiFunctionPower, 0x000F);
    if (!Send(r)) return 0;
    flags = CL(r);
    value = DH(r);
    return 1;
}

Bool32 SetHibernateStatus(uint8_t flags, uint8_t value) {
    return Set(Request(kSmiFunctionPower, 0x010F, {.ecx = flags, .edx = Bytes(value, 0)}));
}

Bool32 SetBIOSforPwrMgrSupport(uint8_t value) { return Set(Request(kSmiFunctionPower, ByteInBh(0x11, value))); }
Bool32 SetSysPowerState(uint8_t value) { return Set(Request(kSmiFunctionPower, ByteInBh(0x13, value))); }

Bool32 GetCPUSpeedforCustomized(uint8_t selector, uint8_t& speed) {
    return Query(Request(kSmiFunctionPower, 0x0014, {.edx = selector}), CL, speed);
}
Bool32 SetCPUSpeedforCustomized(uint8_t selector, uint8_t speed) {
    return Set(Request(kSmiFunctionPower, 0x0114, {.ecx = speed, .edx = selector}));
}
Bool32 GetCDROMSpeed(uint8_t& speed) { return Query(Request(kSmiFunctionPower, 0x0015), CL, speed); }
Bool32 SetCDROMSpeed(uint8_t speed) { return Set(Request(kSmiFunctionPower, 0x0115, {.ecx = speed})); }
Bool32 GetPowerMode(uint8_t selector, uint8_t& mode) {
    return Query(Request(kSmiFunctionPower, 0x0016, {.edx = selector}), CL, mode);
}
Bool32 SetPowerMode(uint8_t selector, uint8_t mode) {
    return Set(Request(kSmiFunctionPower, 0x0116, {.ecx = mode, .edx = selector}));
}

Bool32 GetPowerModeDefaultInfo(uint8_t selector, uint8_t mode, uint8_t& a, uint8_t& b, uint8_t& c, uint8_t& d) {
    SmiRequest r = Request(kSmiFunctionPower, 0x0216, {.ecx = mode, .edx = selector});
    if (!Send(r)) return 0;
    a = BH(r);
    b = BL(r);
    c = CH(r);
    d = DH(r);
    return 1;
}

Bool32 GetPowerSource(uint8_t& source) { return Query(Request(kSmiFunctionPower, 0x0020), AL, source); }

Bool32 wsbi_GetPowerSourceStatus(uint16_t selector, uint8_t& a, uint8_t& b, uint8_t& c, uint8_t& d, uint16_t& e) {
    SmiRequest r = Request(kSmiFunctionPower, 0x0027, {.ecx = selector});
    if (!Send(r)) return 0;
    a = BH(r);
    b = BL(r);
    c = CH(r);
    d = CL(r);
    e = DX(r);
    return 1;
}

Bool32 GetLCDOffTimer(uint8_t selector, uint8_t& value) {
    return Query(Request(kSmiFunctionPower, 0x0082, {.edx = selector}), BH, value);
}
Bool32 SetLCDOffTimer(uint8_t selector, uint8_t value) {
    return Set(Request(kSmiFunctionPower, ByteInBh(0x02, value), {.edx = selector}));
}
Bool32 GetHDDOffTimer(uint8_t selector, uint8_t& value) {
    return Query(Request(kSmiFunctionPower, 0x0083, {.edx = selector}), BH, value);
}
Bool32 SetHDDOffTimer(uint8_t selector, uint8_t value) {
    return Set(Request(kSmiFunctionPower, ByteInBh(0x03, value), {.edx = selector}));
}
Bool32 GetSysSuspendTimer(uint8_t selector, uint8_t& value) {
    return Query(Request(kSmiFunctionPower, 0x008A, {.edx = selector}), BH, value);
}
Bool32 SetSysSuspendTimer(uint8_t selector, uint8_t value) {
    return Set(Request(kSmiFunctionPower, ByteInBh(0x0A, value), {.edx = selector}));
}

// ---- 0x9610 ----

Bool32 GetSerialPortStatus(uint8_t action, uint8_t& state) {
    return Query(Request(kSmiFunctionPorts, ByteInBh(0x02, action)), AL, state);
}
Bool32 SetSerialPortStatus(uint8_t value) { return Set(Request(kSmiFunctionPorts, ByteInBh(0x02, value))); }

Bool32 GetParallPortOpMode(uint8_t& mode, uint16_t& x, uint8_t& y, uint8_t& z, uint8_t& w) {
    SmiRequest r = Request(kSmiFunctionPorts, 0x0003);
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
    return Set(Request(kSmiFunctionPorts, 0x0103, {.ecx = x, .edx = Bytes(dh, y)}));
}

Bool32 SetParallelPort(uint8_t value) { return Set(Request(kSmiFunctionPorts, ByteInBh(0x03, value))); }
Bool32 GetPCISteeringNum(uint8_t& count) { return Query(Request(kSmiFunctionPorts, 0x001D), CH, count); }
Bool32 GetPCISteeringIRQList(uint8_t index, uint16_t& list) {
    return Query(Request(kSmiFunctionPorts, ByteInBh(0x1E, index)), CX, list);
}

Bool32 GetPCISteeringIRQ(uint8_t index, uint8_t& a, uint8_t& irq) {
    SmiRequest r = Request(kSmiFunctionPorts, 0x021F, {.ecx = index});
    if (!Send(r)) return 0;
    a = AL(r);
    irq = CH(r);
    return 1;
}

Bool32 SetPCISteeringIRQ(uint8_t index, uint32_t action, uint8_t irq) {
    return Set(Request(kSmiFunctionPorts, WordAboveBl(0x1F, action), {.ecx = Bytes(irq, index)}));
}

Bool32 GetInfraredStatus(uint8_t& state) { return Query(Request(kSmiFunctionPorts, 0x0029), AL, state); }
Bool32 SetInfraredStatus(uint8_t value) { return Set(Request(kSmiFunctionPorts, 0x0129, {.ecx = value})); }
Bool32 GetFnKeyLockstatus(uint8_t& state) { return Query(Request(kSmiFunctionPorts, 0x0220), AL, state); }
Bool32 SetFnKeyLockStatus(uint32_t value) { return Set(Request(kSmiFunctionPorts, WordAboveBl(0x20, value))); }
