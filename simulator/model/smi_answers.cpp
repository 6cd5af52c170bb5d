// How the machine answers each operation of the catalogue: a set stores, the
// matching query gives it back in the fields the request library reads.
#include "simulator/model/machine_model.h"

namespace {

using std::uint16_t;
using std::uint32_t;
using std::uint8_t;

// Writers for the byte and half-word fields of a reply.
void SetAL(SmiRequest& r, uint8_t v) { r.Eax = (r.Eax & ~0xFFu) | v; }
void SetBL(SmiRequest& r, uint8_t v) { r.Ebx = (r.Ebx & ~0xFFu) | v; }
void SetBH(SmiRequest& r, uint8_t v) { r.Ebx = (r.Ebx & ~0xFF00u) | (uint32_t{v} << 8); }
void SetCL(SmiRequest& r, uint8_t v) { r.Ecx = (r.Ecx & ~0xFFu) | v; }
void SetCH(SmiRequest& r, uint8_t v) { r.Ecx = (r.Ecx & ~0xFF00u) | (uint32_t{v} << 8); }
void SetCX(SmiRequest& r, uint16_t v) { r.Ecx = (r.Ecx & ~0xFFFFu) | v; }
void SetDL(SmiRequest& r, uint8_t v) { r.Edx = (r.Edx & ~0xFFu) | v; }
void SetDH(SmiRequest& r, uint8_t v) { r.Edx = (r.Edx & ~0xFF00u) | (uint32_t{v} << 8); }
void SetDX(SmiRequest& r, uint16_t v) { r.Edx = (r.Edx & ~0xFFFFu) | v; }
void SetSI(SmiRequest& r, uint16_t v) { r.Esi = (r.Esi & ~0xFFFFu) | v; }
void SetDI(SmiRequest& r, uint16_t v) { r.Edi = (r.Edi & ~0xFFFFu) | v; }

// A query answered with one byte of the state, a set that keeps one.
bool Answer(void (*write)(SmiRequest&, uint8_t), SmiRequest& reply, uint8_t value) {
    write(reply, value);
    return true;
}
bool Store(uint8_t& field, uint8_t value) {
    field = value;
    return true;
}

// Default timer codes of each power mode: LCD off, HDD off, suspend, processor.
struct PowerModeDefaults {
    uint8_t lcdOff, hddOff, suspend, processor;
};
constexpr PowerModeDefaults kPowerModeDefaults[kModeCustomized + 1] = {
    {0, 0, 0, 0},  // maximum performance: nothing switches off, full speed
    {1, 1, 2, 4},  // maximum battery life: short timers, slow with automatic clock
    {4, 2, 5, 1},  // customized: the factory's customized set
};

// Sets or clears a port's disabled bit; a locked port refuses.
bool SetPortEnabled(uint8_t& status, uint8_t value) {
    if (status & kPortLocked) return false;
    status = (value & 1) ? static_cast<uint8_t>(status & ~kPortDisabled) : static_cast<uint8_t>(status | kPortDisabled);
    return true;
}

}  // namespace

bool MachineModel::Serve(SmiOp op, const SmiRequest& request, SmiRequest& reply) {
    switch (op) {
        case SmiOp::GetCurDisplay:
        case SmiOp::SetCurDisplay:
        case SmiOp::CheckMonitorConnect: return DisplayRequest(op, request, reply);
        case SmiOp::GetResumeOnTimer:
        case SmiOp::SetResumeOnTimer:
        case SmiOp::GetHibernateStatus:
        case SmiOp::SetHibernateStatus:
        case SmiOp::SetSysPowerState: return SuspendRequest(op, request, reply);
        case SmiOp::GetPowerMode:
        case SmiOp::SetPowerMode:
        case SmiOp::GetPowerModeDefaultInfo:
        case SmiOp::GetCPUSpeedforCustomized:
        case SmiOp::SetCPUSpeedforCustomized:
        case SmiOp::GetLCDOffTimer:
        case SmiOp::SetLCDOffTimer:
        case SmiOp::GetHDDOffTimer:
        case SmiOp::SetHDDOffTimer:
        case SmiOp::GetSysSuspendTimer:
        case SmiOp::SetSysSuspendTimer: return PowerModeRequest(op, request, reply);
        case SmiOp::GetPowerSource:
        case SmiOp::wsbi_GetPowerSourceStatus: return PowerSourceRequest(op, request, reply);
        case SmiOp::GetSerialPortStatus:
        case SmiOp::SetSerialPortStatus:
        case SmiOp::GetParallPortOpMode:
        case SmiOp::SetParallPortOpMode:
        case SmiOp::SetParallelPort: return PortRequest(op, request, reply);
        case SmiOp::GetPCISteeringNum:
        case SmiOp::GetPCISteeringIRQList:
        case SmiOp::GetPCISteeringIRQ:
        case SmiOp::SetPCISteeringIRQ: return PciRequest(op, request, reply);
        default: return SettingRequest(op, request, reply);
    }
}

// The settings kept as one byte each, answered and taken as they are.
bool MachineModel::SettingRequest(SmiOp op, const SmiRequest& request, SmiRequest& reply) {
    switch (op) {
        case SmiOp::GetGlidenubStatus: return Answer(SetAL, reply, state.glidenub);
        case SmiOp::EnableGlidenub: return Store(state.glidenub, BH(request));
        case SmiOp::GetScreenExpansion: return Answer(SetAL, reply, state.screenExpansion);
        case SmiOp::EnableScreenExpansion: return Store(state.screenExpansion, BH(request));
        case SmiOp::GetNotSuspendForLCDClose: return Answer(SetAL, reply, state.notSuspendForLcdClose);
        case SmiOp::SetNotSuspendForLCDClose: return Store(state.notSuspendForLcdClose, BH(request));
        case SmiOp::GetCurSystemMode: return Answer(SetAL, reply, state.systemMode);
        case SmiOp::GetScreenBlank: return Answer(SetAL, reply, state.screenBlank);
        case SmiOp::SetScreenBlank: return Store(state.screenBlank, BH(request));
        case SmiOp::GetBrightMode: return Answer(SetAL, reply, state.brightMode);
        case SmiOp::SetBrightMode: return Store(state.brightMode, BH(request));
        case SmiOp::GetSleepWhileDocked: return Answer(SetAL, reply, state.sleepWhileDocked);
        case SmiOp::SetSleepWhileDocked: return Store(state.sleepWhileDocked, BH(request));
        case SmiOp::SetBIOSforPwrMgrSupport: return Store(state.pwrMgrSupport, BH(request));
        case SmiOp::GetCDROMSpeed: return Answer(SetCL, reply, state.cdromSpeed);
        case SmiOp::SetCDROMSpeed: return Store(state.cdromSpeed, CL(request));
        case SmiOp::GetInfraredStatus: return Answer(SetAL, reply, state.infrared);
        case SmiOp::SetInfraredStatus: return Store(state.infrared, CL(request));
        case SmiOp::GetFnKeyLockstatus: return Answer(SetAL, reply, state.fnKeyLock);
        case SmiOp::SetFnKeyLockStatus: return Store(state.fnKeyLock, BH(request));
        default: return false;
    }
}

// The display output, up to both at once, and the monitor check, whose answer
// is the status itself: refused when nothing is plugged in.
bool MachineModel::DisplayRequest(SmiOp op, const SmiRequest& request, SmiRequest& reply) {
    switch (op) {
        case SmiOp::GetCurDisplay: return Answer(SetCL, reply, state.curDisplay);
        case SmiOp::SetCurDisplay: return CL(request) <= kDisplayBoth && Store(state.curDisplay, CL(request));
        case SmiOp::CheckMonitorConnect: return state.monitorConnected != 0;
        default: return false;
    }
}

// The resume timer (its BCD fields kept as set), the hibernation flags and
// the power-state request, which is only recorded and counted.
bool MachineModel::SuspendRequest(SmiOp op, const SmiRequest& request, SmiRequest& reply) {
    switch (op) {
        case SmiOp::GetResumeOnTimer:
            SetAL(reply, state.resumeEnabled);
            SetDH(reply, state.resumeHours);
            SetDL(reply, state.resumeMinutes);
            SetCH(reply, state.resumeSeconds);
            SetSI(reply, state.resumeDate);
            SetDI(reply, state.resumeYear);
            return true;
        case SmiOp::SetResumeOnTimer:
            state.resumeEnabled = BH(request);
            state.resumeHours = DH(request);
            state.resumeMinutes = DL(request);
            state.resumeSeconds = CH(request);
            state.resumeDate = SI(request);
            state.resumeYear = DI(request);
            return true;
        case SmiOp::GetHibernateStatus:
            SetCL(reply, state.hibernateFlags);
            SetDH(reply, state.hibernateTimer);
            return true;
        case SmiOp::SetHibernateStatus:
            state.hibernateFlags = CL(request);
            state.hibernateTimer = DH(request);
            return true;
        case SmiOp::SetSysPowerState:
            if (BH(request) != 1 && BH(request) != 2) return false;
            state.sysPowerState = BH(request);
            ++state.sysPowerRequests;
            return true;
        default: return false;
    }
}

// What each power selector (DL) keeps: its power mode, processor speed and
// three timers; and the fixed default codes of each power mode.
bool MachineModel::PowerModeRequest(SmiOp op, const SmiRequest& request, SmiRequest& reply) {
    if (op == SmiOp::GetPowerModeDefaultInfo) {
        if (CL(request) > kModeCustomized) return false;
        const PowerModeDefaults& d = kPowerModeDefaults[CL(request)];
        SetBH(reply, d.lcdOff);
        SetBL(reply, d.hddOff);
        SetCH(reply, d.suspend);
        SetDH(reply, d.processor);
        return true;
    }
    const uint8_t selector = DL(request);
    if (selector >= kPowerSelectors) return false;
    switch (op) {
        case SmiOp::GetPowerMode: return Answer(SetCL, reply, state.powerMode[selector]);
        case SmiOp::SetPowerMode:
            return CL(request) <= kModeCustomized && Store(state.powerMode[selector], CL(request));
        case SmiOp::GetCPUSpeedforCustomized: return Answer(SetCL, reply, state.cpuSpeed[selector]);
        case SmiOp::SetCPUSpeedforCustomized: return Store(state.cpuSpeed[selector], CL(request));
        case SmiOp::GetLCDOffTimer: return Answer(SetBH, reply, state.lcdOffTimer[selector]);
        case SmiOp::SetLCDOffTimer: return Store(state.lcdOffTimer[selector], BH(request));
        case SmiOp::GetHDDOffTimer: return Answer(SetBH, reply, state.hddOffTimer[selector]);
        case SmiOp::SetHDDOffTimer: return Store(state.hddOffTimer[selector], BH(request));
        case SmiOp::GetSysSuspendTimer: return Answer(SetBH, reply, state.suspendTimer[selector]);
        case SmiOp::SetSysSuspendTimer: return Store(state.suspendTimer[selector], BH(request));
        default: return false;
    }
}

// The power source, and the status of battery 1: source, one battery, its
// flags (charging added while the power charges it), percent and minutes left
// at the drain rate.
bool MachineModel::PowerSourceRequest(SmiOp op, const SmiRequest& request, SmiRequest& reply) {
    if (op == SmiOp::GetPowerSource) return Answer(SetAL, reply, PowerSourceAnswer());
    if (op != SmiOp::wsbi_GetPowerSourceStatus || CX(request) != 1) return false;
    const uint8_t flags = static_cast<uint8_t>(state.batteryFlags | (Charging() ? kBatteryCharging : 0));
    SetBH(reply, PowerSourceAnswer());
    SetBL(reply, 1);
    SetCH(reply, flags);
    SetCL(reply, state.batteryPercent);
    SetDX(reply, static_cast<uint16_t>(state.batteryPercent * (kBatteryDrainMsPerPercent / 1000) / 60));
    return true;
}

// The serial and the parallel port: enabled or disabled unless locked, and
// the parallel port's operating mode.
bool MachineModel::PortRequest(SmiOp op, const SmiRequest& request, SmiRequest& reply) {
    switch (op) {
        case SmiOp::GetSerialPortStatus: return Answer(SetAL, reply, state.serialPortStatus);
        case SmiOp::SetSerialPortStatus: return SetPortEnabled(state.serialPortStatus, BH(request));
        case SmiOp::SetParallelPort: return SetPortEnabled(state.parallelPortStatus, BH(request));
        case SmiOp::GetParallPortOpMode:
            SetAL(reply, state.parallelPortStatus);
            SetCX(reply, state.parallelPortWord);
            SetDL(reply, state.parallelPortByte);
            SetDH(reply, static_cast<uint8_t>((state.parallelPortDma << 6) | (state.parallelPortMode & 0x3F)));
            return true;
        case SmiOp::SetParallPortOpMode:
            if (state.parallelPortStatus & kPortLocked) return false;
            state.parallelPortWord = CX(request);
            state.parallelPortByte = DL(request);
            state.parallelPortMode = DH(request) & 0x3F;
            state.parallelPortDma = DH(request) >> 6;
            return true;
        default: return false;
    }
}

// PCI interrupt steering: pins numbered from 1, each given an interrupt of
// its mask or none.
bool MachineModel::PciRequest(SmiOp op, const SmiRequest& request, SmiRequest& reply) {
    if (op == SmiOp::GetPCISteeringNum) return Answer(SetCH, reply, state.pciPinCount);
    const uint8_t pin = op == SmiOp::GetPCISteeringIRQList ? BH(request) : CL(request);
    if (pin == 0 || pin > state.pciPinCount || pin > kPciPins) return false;
    const unsigned i = pin - 1u;
    switch (op) {
        case SmiOp::GetPCISteeringIRQList:
            SetCX(reply, state.pciIrqMask[i]);
            return true;
        case SmiOp::GetPCISteeringIRQ:
            SetAL(reply, state.pciIrqAssigned[i]);
            SetCH(reply, state.pciIrq[i]);
            return true;
        case SmiOp::SetPCISteeringIRQ: return SteerPin(i, BH(request), CH(request));
        default: return false;
    }
}

// Action 0 takes the pin's interrupt away; action 1 gives it irq, which must
// be in the pin's mask.
bool MachineModel::SteerPin(unsigned i, uint8_t action, uint8_t irq) {
    if (action == 0) {
        state.pciIrqAssigned[i] = 0;
        state.pciIrq[i] = kPciNoIrq;
        return true;
    }
    if (action != 1 || irq > 15 || !(state.pciIrqMask[i] & (1u << irq))) return false;
    state.pciIrqAssigned[i] = 1;
    state.pciIrq[i] = irq;
    return true;
}
