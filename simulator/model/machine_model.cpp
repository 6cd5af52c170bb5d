#include "simulator/model/machine_model.h"

#include <cstddef>
#include <cstring>

using std::uint32_t;
using std::uint8_t;

void MachineModel::AnswerSmiRequest(const SmiRequest& request, SmiRequest& reply) {
    SmiRequest answer = request;
    answer.Status = 0;
    const uint32_t index = SmiOperationIndex(request);
    bool ok;
    if (failNext_ != 0) {
        --failNext_;
        ok = false;
    } else if (index == kSmiOperationCount || TakeFault(index)) {
        ok = false;
    } else {
        ok = Serve(static_cast<SmiOp>(index), request, answer);
    }
    if (!ok) {
        answer = request;
        answer.Status = kSmiFailed;
    }
    Log(request, answer);
    reply = answer;
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

// Whether the set-up turned on the group of a key (the play-station group
// holds the shutdown keys 7 and 8, which have their own switch). Before any
// set-up every key counts.
static bool KeyEnabled(const HotkeyStatus& hotkey, uint8_t group, uint8_t mask) {
    if (hotkey.setupCount == 0) return true;
    const HotkeySetupBlock& setup = hotkey.lastSetup;
    if (group == kFunctionKeyGroup) return setup.functionEnabled != 0;
    if (group != kPlaystationKeyGroup) return setup.numberEnabled != 0;
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
    settings_ = SavedSettings::Factory;
    saveFailure_ = 0;
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

SavedSettings MachineModel::Restore(const uint8_t* bytes, uint32_t size) {
    ResetToFactory();
    if (bytes == nullptr || size == 0) return settings_ = SavedSettings::Factory;
    SavedMachine saved;
    if (size != sizeof saved) return settings_ = SavedSettings::Damaged;
    std::memcpy(&saved, bytes, sizeof saved);
    // A block with the right checksum may still come from a machine that kept
    // other values, or from a hand that wrote it: every value is checked.
    if (saved.magic != kSavedMachineMagic || saved.version != kSavedMachineVersion || saved.size != sizeof saved ||
        saved.checksum != SavedMachineChecksum(saved) || saved.smbiosSize == 0 ||
        saved.smbiosSize > kSmbiosTableMax || !StateInRange(saved.state) || saved.state.batteryMilliseconds != 0 ||
        saved.releaseFails > 1)
        return settings_ = SavedSettings::Damaged;
    state = saved.state;
    LoadSmbiosTable(saved.smbios, saved.smbiosSize);
    failNext_ = saved.failNext;
    hotkey_.releaseFails = saved.releaseFails;
    for (uint32_t i = 0; i < kFaultTargets; ++i) faults_[i] = saved.faults[i];
    return settings_ = SavedSettings::Restored;
}

void MachineModel::SaveWritten() {
    settings_ = SavedSettings::Saved;
    saveFailure_ = 0;
}

void MachineModel::SaveFailed(uint32_t status) {
    settings_ = SavedSettings::NotSaved;
    saveFailure_ = status;
}

namespace {

bool Flag(uint8_t value) { return value <= 1; }

}  // namespace

bool StateInRange(const MachineState& s) {
    for (unsigned i = 0; i < kPowerSelectors; ++i)
        if (s.powerMode[i] > kModeCustomized) return false;
    for (unsigned i = 0; i < kPciPins; ++i)
        if (!Flag(s.pciIrqAssigned[i]) || (s.pciIrq[i] > 15 && s.pciIrq[i] != kPciNoIrq)) return false;
    return s.curDisplay <= kDisplayBoth && s.sysPowerState <= 2 && Flag(s.monitorConnected) &&
           Flag(s.externalPower) && s.batteryPercent <= 100 && Flag(s.batteryHeld) &&
           s.batteryMilliseconds < kBatteryDrainMsPerPercent && s.pciPinCount <= kPciPins &&
           s.parallelPortMode <= 0x3F && s.parallelPortDma <= 3 && s.memoryMegabytes >= kLeastMemoryMegabytes &&
           s.memoryMegabytes <= kMostMemoryMegabytes && s.reserved2 == 0;
}

bool MachineModel::LoadSmbiosTable(const uint8_t* table, uint32_t size) {
    if (table == nullptr || size == 0 || size > kSmbiosTableMax) return false;
    for (uint32_t i = 0; i < size; ++i) smbios_[i] = table[i];
    for (uint32_t i = size; i < kSmbiosTableMax; ++i) smbios_[i] = 0;
    smbiosSize_ = size;
    return true;
}
