#include "simulator/model/machine_model.h"

#include <cstddef>
#include <cstring>

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

// The action selectors in BH.
constexpr uint8_t kQuery = 0;
constexpr uint8_t kSet = 1;
constexpr uint8_t kQueryByTwo = 2;  // sub-functions that take the new value in BH

constexpr uint8_t kMaxPowerMode = 2;
constexpr uint8_t kMaxDisplay = 2;
constexpr uint8_t kNoIrq = 0x80;

// Default timer codes of each power mode: LCD off, HDD off, suspend, processor.
struct PowerModeDefaults {
    uint8_t lcdOff, hddOff, suspend, processor;
};
constexpr PowerModeDefaults kPowerModeDefaults[kMaxPowerMode + 1] = {
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

// Sub-functions whose query is BH = 2 (answered in AL) and whose set carries
// the new value in BH.
bool QueryOrStoreInBH(uint8_t action, uint8_t& field, SmiRequest& reply) {
    if (action == kQueryByTwo)
        SetAL(reply, field);
    else
        field = action;
    return true;
}

}  // namespace

void MachineModel::AnswerSmiRequest(const SmiRequest& request, SmiRequest& reply) {
    SmiRequest answer = request;
    answer.Status = 0;
    bool ok;
    if (failNext_ != 0) {
        --failNext_;
        ok = false;
    } else if (TakeFault(SmiOperationIndex(request))) {
        ok = false;
    } else {
        ok = Dispatch(request, answer);
    }
    if (!ok) {
        answer = request;
        answer.Status = kSmiFailed;
    }
    Log(request, answer);
    reply = answer;
}

bool MachineModel::Dispatch(const SmiRequest& request, SmiRequest& reply) {
    switch (request.Eax) {
        case kSmiFunctionDisplay: return DisplayRequest(request, reply);
        case kSmiFunctionPower: return PowerRequest(request, reply);
        case kSmiFunctionPorts: return PortRequest(request, reply);
        default: return false;
    }
}

bool MachineModel::DisplayRequest(const SmiRequest& request, SmiRequest& reply) {
    const uint8_t action = BH(request);
    switch (BL(request)) {
        case 0x10: return QueryOrStoreInBH(action, state.glidenub, reply);
        case 0x12: return QueryOrStoreInBH(action, state.screenExpansion, reply);
        case 0x0E: return QueryOrStoreInBH(action, state.notSuspendForLcdClose, reply);
        case 0x0B:
            if (action == kQuery) {
                SetCL(reply, state.curDisplay);
                return true;
            }
            if (action != kSet || CL(request) > kMaxDisplay) return false;
            state.curDisplay = CL(request);
            return true;
        case 0x0C:
            // The answer is the status itself: refused when nothing is plugged in.
            return action == kQuery && state.monitorConnected != 0;
        default: return false;
    }
}

bool MachineModel::PowerRequest(const SmiRequest& request, SmiRequest& reply) {
    const uint8_t action = BH(request);
    const uint8_t selector = DL(request);
    switch (BL(request)) {
        case 0x00:
            if (action != kQuery) return false;
            SetAL(reply, state.systemMode);
            return true;
        case 0x0D: return QueryOrStoreInBH(action, state.screenBlank, reply);
        case 0x10: return QueryOrStoreInBH(action, state.brightMode, reply);
        case 0x0E: return QueryOrStoreInBH(action, state.sleepWhileDocked, reply);
        case 0x06:
            if (action == kQueryByTwo) {
                SetAL(reply, state.resumeEnabled);
                SetDH(reply, state.resumeHours);
                SetDL(reply, state.resumeMinutes);
                SetCH(reply, state.resumeSeconds);
                SetSI(reply, state.resumeDate);
                SetDI(reply, state.resumeYear);
            } else {
                state.resumeEnabled = action;
                state.resumeHours = DH(request);
                state.resumeMinutes = DL(request);
                state.resumeSeconds = CH(request);
                state.resumeDate = SI(request);
                state.resumeYear = DI(request);
            }
            return true;
        case 0x0F:
            if (action == kQuery) {
                SetCL(reply, state.hibernateFlags);
                SetDH(reply, state.hibernateTimer);
                return true;
            }
            if (action != kSet) return false;
            state.hibernateFlags = CL(request);
            state.hibernateTimer = DH(request);
            return true;
        case 0x11:
            state.pwrMgrSupport = action;
            return true;
        case 0x13:
            if (action != 1 && action != 2) return false;
            state.sysPowerState = action;
            ++state.sysPowerRequests;
            return true;
        case 0x14:
            if (selector >= kPowerSelectors) return false;
            if (action == kQuery) {
                SetCL(reply, state.cpuSpeed[selector]);
                return true;
            }
            if (action != kSet) return false;
            state.cpuSpeed[selector] = CL(request);
            return true;
        case 0x15:
            if (action == kQuery) {
                SetCL(reply, state.cdromSpeed);
                return true;
            }
            if (action != kSet) return false;
            state.cdromSpeed = CL(request);
            return true;
        case 0x16:
            if (action == kQueryByTwo) {
                if (CL(request) > kMaxPowerMode) return false;
                const PowerModeDefaults& d = kPowerModeDefaults[CL(request)];
                SetBH(reply, d.lcdOff);
                SetBL(reply, d.hddOff);
                SetCH(reply, d.suspend);
                SetDH(reply, d.processor);
                return true;
            }
            if (selector >= kPowerSelectors) return false;
            if (action == kQuery) {
                SetCL(reply, state.powerMode[selector]);
                return true;
            }
            if (action != kSet || CL(request) > kMaxPowerMode) return false;
            state.powerMode[selector] = CL(request);
            return true;
        case 0x20:
            if (action != kQuery) return false;
            SetAL(reply, PowerSourceAnswer());
            return true;
        case 0x27: {
            if (action != kQuery || CX(request) != 1) return false;
            const uint8_t flags = static_cast<uint8_t>(state.batteryFlags | (Charging() ? kBatteryCharging : 0));
            SetBH(reply, PowerSourceAnswer());
            SetBL(reply, 1);  // one battery
            SetCH(reply, flags);
            SetCL(reply, state.batteryPercent);
            SetDX(reply, static_cast<uint16_t>(state.batteryPercent * (kBatteryDrainMsPerPercent / 1000) / 60));
            return true;
        }
        default: break;
    }
    // The timers: the query has bit 7 of BL set and answers in BH; the set
    // takes the value in BH. Both name the selector in DL.
    uint8_t* timers;
    switch (BL(request) & 0x7F) {
        case 0x02: timers = state.lcdOffTimer; break;
        case 0x03: timers = state.hddOffTimer; break;
        case 0x0A: timers = state.suspendTimer; break;
        default: return false;
    }
    if (selector >= kPowerSelectors) return false;
    if (BL(request) & 0x80) {
        if (action != kQuery) return false;
        SetBH(reply, timers[selector]);
    } else {
        timers[selector] = action;
    }
    return true;
}

bool MachineModel::PortRequest(const SmiRequest& request, SmiRequest& reply) {
    const uint8_t action = BH(request);
    switch (BL(request)) {
        case 0x02:
            if (action == kQuery) {
                SetAL(reply, state.serialPortStatus);
                return true;
            }
            return SetPortEnabled(state.serialPortStatus, action);
        case 0x03:
            if (action == kQuery) {
                SetAL(reply, state.parallelPortStatus);
                SetCX(reply, state.parallelPortWord);
                SetDL(reply, state.parallelPortByte);
                SetDH(reply, static_cast<uint8_t>((state.parallelPortDma << 6) | (state.parallelPortMode & 0x3F)));
                return true;
            }
            if (action == kSet) {
                if (state.parallelPortStatus & kPortLocked) return false;
                state.parallelPortWord = CX(request);
                state.parallelPortByte = DL(request);
                state.parallelPortMode = DH(request) & 0x3F;
                state.parallelPortDma = DH(request) >> 6;
                return true;
            }
            return SetPortEnabled(state.parallelPortStatus, action);
        case 0x1D:
            if (action != kQuery) return false;
            SetCH(reply, state.pciPinCount);
            return true;
        case 0x1E:
            // Pins are numbered from 1.
            if (action == 0 || action > state.pciPinCount || action > kPciPins) return false;
            SetCX(reply, state.pciIrqMask[action - 1]);
            return true;
        case 0x1F: {
            const uint8_t pin = CL(request);
            if (pin == 0 || pin > state.pciPinCount || pin > kPciPins) return false;
            const unsigned i = pin - 1u;
            if (action == kQueryByTwo) {
                SetAL(reply, state.pciIrqAssigned[i]);
                SetCH(reply, state.pciIrq[i]);
                return true;
            }
            if (action == 0) {
                state.pciIrqAssigned[i] = 0;
                state.pciIrq[i] = kNoIrq;
                return true;
            }
            const uint8_t irq = CH(request);
            if (action != 1 || irq > 15 || !(state.pciIrqMask[i] & (1u << irq))) return false;
            state.pciIrqAssigned[i] = 1;
            state.pciIrq[i] = irq;
            return true;
        }
        case 0x29:
            if (action == kQuery) {
                SetAL(reply, state.infrared);
                return true;
            }
            if (action != kSet) return false;
            state.infrared = CL(request);
            return true;
        case 0x20: return QueryOrStoreInBH(action, state.fnKeyLock, reply);
        default: return false;
    }
}

bool MachineModel::Charging() const { return state.externalPower != 0 && state.batteryPercent < 100; }

uint8_t MachineModel::PowerSourceAnswer() const {
    if (state.powerSourceAnswer > 0xFF) return state.externalPower ? kExternalPower : kBatteryPower;
    return static_cast<uint8_t>(state.powerSourceAnswer);
}

void MachineModel::AdvanceTime(uint32_t milliseconds) {
    if (state.batteryHeld) return;
    const bool external = state.externalPower != 0;
    const uint32_t rate = external ? kBatteryChargeMsPerPercent : kBatteryDrainMsPerPercent;
    uint32_t steps = milliseconds / rate;
    const uint32_t rest = milliseconds % rate;
    if (state.batteryMilliseconds >= rate) state.batteryMilliseconds = 0;  // left from the other rate
    state.batteryMilliseconds += rest;
    if (state.batteryMilliseconds >= rate) {
        state.batteryMilliseconds -= rate;
        ++steps;
    }
    if (external) {
        const uint32_t room = state.batteryPercent < 100 ? 100u - state.batteryPercent : 0u;
        state.batteryPercent = static_cast<uint8_t>(state.batteryPercent + (steps < room ? steps : room));
        if (state.batteryPercent >= 100) state.batteryMilliseconds = 0;
    } else {
        state.batteryPercent = static_cast<uint8_t>(steps < state.batteryPercent ? state.batteryPercent - steps : 0u);
        if (state.batteryPercent == 0) state.batteryMilliseconds = 0;
    }
}

void MachineModel::Log(const SmiRequest& request, const SmiRequest& reply) {
    log_[logNext_].request = request;
    log_[logNext_].reply = reply;
    logNext_ = (logNext_ + 1) % kSmiLogCapacity;
    if (logCount_ < kSmiLogCapacity) ++logCount_;
}

bool MachineModel::GetLogEntry(uint32_t index, SmiLogEntry& entry) const {
    if (index >= logCount_) return false;
    const uint32_t oldest = (logNext_ + kSmiLogCapacity - logCount_) % kSmiLogCapacity;
    entry = log_[(oldest + index) % kSmiLogCapacity];
    return true;
}

// Whether the set-up turned on the group of a key: group 0 the function keys,
// group 2 the play-station keys with the shutdown keys 7 and 8, any other the
// number keys. Before any set-up every key counts.
static bool KeyEnabled(const HotkeyStatus& hotkey, uint8_t group, uint8_t mask) {
    if (hotkey.setupCount == 0) return true;
    const HotkeySetupBlock& setup = hotkey.lastSetup;
    if (group == 0) return setup.functionEnabled != 0;
    if (group != 2) return setup.numberEnabled != 0;
    const bool shutdownKey = (mask & 0x3F) == 0 && (mask & 0xC0) != 0;  // lowest key 7 or 8
    return (shutdownKey ? setup.shutdownEnabled : setup.playstationEnabled) != 0;
}

KeyPress MachineModel::PressHotkey(uint8_t group, uint8_t mask) {
    if (!KeyEnabled(hotkey_, group, mask)) return KeyPress::Ignored;
    if (hotkey_.queuedEvents >= kHotkeyQueueCapacity) return KeyPress::QueueFull;
    HotkeyEventBlock& event = queue_[(queueHead_ + hotkey_.queuedEvents) % kHotkeyQueueCapacity];
    event = HotkeyEventBlock{};
    event.group = group;
    event.keyMask = mask;
    ++hotkey_.queuedEvents;
    return KeyPress::Queued;
}

bool MachineModel::TakeHotkeyEvent(HotkeyEventBlock& event) {
    if (TakeFault(kFaultHotkeyGet)) return false;
    if (hotkey_.queuedEvents == 0) return false;
    event = queue_[queueHead_];
    queueHead_ = (queueHead_ + 1) % kHotkeyQueueCapacity;
    --hotkey_.queuedEvents;
    return true;
}

void MachineModel::RecordHotkeyRequest(uint8_t kind, bool accepted, const HotkeySetupBlock* setup) {
    HotkeyRequestRecord& record = hotkey_.records[hotkey_.recordCount % kHotkeyRecordCapacity];
    record = HotkeyRequestRecord{};
    record.kind = kind;
    record.accepted = accepted ? 1 : 0;
    if (setup != nullptr) record.setup = *setup;
    ++hotkey_.recordCount;
}

bool MachineModel::SetupHotkeys(const HotkeySetupBlock& setup) {
    if (TakeFault(kFaultHotkeySetup)) {
        RecordHotkeyRequest(kHotkeyRequestSetup, false, &setup);
        return false;
    }
    hotkey_.lastSetup = setup;
    ++hotkey_.setupCount;
    RecordHotkeyRequest(kHotkeyRequestSetup, true, &setup);
    return true;
}

bool MachineModel::ReleaseHotkeys() {
    ++hotkey_.releaseCount;
    const bool accepted = !TakeFault(kFaultHotkeyRelease) && hotkey_.releaseFails == 0;
    RecordHotkeyRequest(kHotkeyRequestRelease, accepted, nullptr);
    return accepted;
}

bool MachineModel::ArmFault(uint32_t target, uint32_t count) {
    if (target >= kFaultTargets) return false;
    faults_[target] = count;
    return true;
}

bool MachineModel::TakeFault(uint32_t target) {
    if (target >= kFaultTargets || faults_[target] == 0) return false;
    if (faults_[target] != kFaultAlways) --faults_[target];
    return true;
}

void MachineModel::ResetToFactory() {
    state = MachineState{};
    LoadSmbiosTable(kDefaultSmbiosTable, sizeof kDefaultSmbiosTable);
    for (uint32_t& fault : faults_) fault = 0;
    failNext_ = 0;
    hotkey_.releaseFails = 0;
    restored_ = RestoreOutcome::Factory;
}

uint32_t SavedMachineChecksum(const SavedMachine& saved) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(&saved);
    uint32_t crc = 0xFFFFFFFFu;
    for (uint32_t i = 0; i < offsetof(SavedMachine, checksum); ++i) {
        crc ^= bytes[i];
        for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void MachineModel::Save(SavedMachine& saved) const {
    // Zeroed first, so that padding and the unused table bytes are the same
    // in every save and a change can be seen by comparing bytes.
    std::memset(&saved, 0, sizeof saved);
    saved.magic = kSavedMachineMagic;
    saved.version = kSavedMachineVersion;
    saved.size = sizeof saved;
    saved.state = state;
    saved.state.batteryMilliseconds = 0;  // time, not a setting
    saved.smbiosSize = smbiosSize_;
    std::memcpy(saved.smbios, smbios_, smbiosSize_ <= kSmbiosTableMax ? smbiosSize_ : kSmbiosTableMax);
    saved.failNext = failNext_;
    saved.releaseFails = hotkey_.releaseFails;
    for (uint32_t i = 0; i < kFaultTargets; ++i) saved.faults[i] = faults_[i];
    saved.checksum = SavedMachineChecksum(saved);
}

RestoreOutcome MachineModel::Restore(const uint8_t* bytes, uint32_t size) {
    ResetToFactory();
    if (bytes == nullptr || size == 0) return restored_ = RestoreOutcome::Factory;
    SavedMachine saved;
    if (size != sizeof saved) return restored_ = RestoreOutcome::Damaged;
    std::memcpy(&saved, bytes, sizeof saved);
    if (saved.magic != kSavedMachineMagic || saved.version != kSavedMachineVersion || saved.size != sizeof saved ||
        saved.checksum != SavedMachineChecksum(saved) || saved.smbiosSize == 0 || saved.smbiosSize > kSmbiosTableMax)
        return restored_ = RestoreOutcome::Damaged;
    state = saved.state;
    LoadSmbiosTable(saved.smbios, saved.smbiosSize);
    failNext_ = saved.failNext;
    hotkey_.releaseFails = saved.releaseFails != 0 ? 1 : 0;
    for (uint32_t i = 0; i < kFaultTargets; ++i) faults_[i] = saved.faults[i];
    return restored_ = RestoreOutcome::Restored;
}

bool MachineModel::LoadSmbiosTable(const uint8_t* table, uint32_t size) {
    if (table == nullptr || size == 0 || size > kSmbiosTableMax) return false;
    for (uint32_t i = 0; i < size; ++i) smbios_[i] = table[i];
    for (uint32_t i = size; i < kSmbiosTableMax; ++i) smbios_[i] = 0;
    smbiosSize_ = size;
    return true;
}
