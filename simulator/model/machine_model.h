// The virtual notebook: the machine behind the BIOS request driver, the DMI
// proxy and the hot-key driver.
//
// Freestanding, so that the kernel driver can hold one: no exceptions, RTTI,
// heap or library beyond <cstdint>/<cstring>, and a constexpr constructor, so
// a global model is constant-initialized and needs no global constructor.
// The model takes no lock; whoever shares it serializes the calls.
#pragma once

#include <cstdint>

#include "machine_control/core/smi_request.h"
#include "machine_control/protocols/hotkey_protocol.h"
#include "simulator/model/machine_state.h"
#include "simulator/model/smbios_table.h"
#include "simulator/model/fault_targets.h"

// One request as the machine received it and the reply it gave.
struct SmiLogEntry {
    SmiRequest request;
    SmiRequest reply;
};
static_assert(sizeof(SmiLogEntry) == 88, "SmiLogEntry travels over the control device");

inline constexpr std::uint32_t kSmiLogCapacity = 4096;
inline constexpr std::uint32_t kHotkeyQueueCapacity = 64;

// The battery moves one percent per this many milliseconds.
inline constexpr std::uint32_t kBatteryDrainMsPerPercent = 30000;
inline constexpr std::uint32_t kBatteryChargeMsPerPercent = 15000;

// One set-up or release request as the hot-key driver received it.
inline constexpr std::uint8_t kHotkeyRequestSetup = 1;
inline constexpr std::uint8_t kHotkeyRequestRelease = 2;
struct HotkeyRequestRecord {
    std::uint8_t kind;      // kHotkeyRequestSetup or kHotkeyRequestRelease
    std::uint8_t accepted;  // 1 done, 0 refused
    std::uint8_t reserved[2];
    HotkeySetupBlock setup; // the block of a set-up, zeros for a release
};
static_assert(sizeof(HotkeyRequestRecord) == 16, "HotkeyRequestRecord travels over the control device");
inline constexpr std::uint32_t kHotkeyRecordCapacity = 8;

// The hot-key driver's side: what the service set up and asked for.
struct HotkeyStatus {
    HotkeySetupBlock lastSetup;
    std::uint32_t setupCount;
    std::uint32_t releaseCount;
    std::uint32_t releaseFails;   // nonzero: the release request fails
    std::uint32_t queuedEvents;
    // The latest set-up and release requests: request n (counted from 0 in
    // recordCount) is records[n % kHotkeyRecordCapacity].
    std::uint32_t recordCount;
    HotkeyRequestRecord records[kHotkeyRecordCapacity];
};
static_assert(sizeof(HotkeyStatus) == 32 + 16 * kHotkeyRecordCapacity, "HotkeyStatus travels over the control device");

// Where the settings in effect stand to the ones the machine keeps across
// restarts: what it found when it started, until a change is saved or fails
// to be saved.
enum class SavedSettings : std::uint32_t {
    Factory,   // nothing saved: the factory state
    Restored,  // the saved settings
    Damaged,   // a save that was damaged, of another version or out of range: the factory state
    Saved,     // the settings as changed since, saved
    NotSaved,  // a change that could not be saved: a restart would lose it
};

// What a key press did.
enum class KeyPress { Queued, Ignored, QueueFull };

// The settings a notebook keeps in its BIOS across restarts, as the driver
// saves them: the state (less the battery's part-percent), the SMBIOS table,
// and the armed faults, which must outlive the restarts of the Wine server
// between two commands as much as the settings; a version and a checksum
// over everything before it.
inline constexpr std::uint32_t kSavedMachineMagic = 0x4D42564Eu;  // "NVBM"
inline constexpr std::uint32_t kSavedMachineVersion = 2;
struct SavedMachine {
    std::uint32_t magic;
    std::uint32_t version;
    std::uint32_t size;  // sizeof(SavedMachine)
    MachineState state;
    std::uint32_t smbiosSize;
    std::uint8_t smbios[kSmbiosTableMax];
    std::uint32_t failNext;
    std::uint32_t releaseFails;
    std::uint32_t faults[kFaultTargets];
    std::uint32_t checksum;  // CRC-32 of the bytes before it
};
static_assert(sizeof(SavedMachine) == 12 + sizeof(MachineState) + 4 + kSmbiosTableMax + 8 + 4 * kFaultTargets + 4,
              "SavedMachine is stored as it lies in memory");

std::uint32_t SavedMachineChecksum(const SavedMachine& saved);

// Whether every field of the state holds a value the machine can have: a
// setting the machine checks when it is asked to change it (display output,
// power modes, interrupts, port mode), what the control device may set (power,
// battery, memory) within its range, and the rest any value of its type.
bool StateInRange(const MachineState& state);

class MachineModel {
public:
    constexpr MachineModel() {
        for (std::uint32_t i = 0; i < sizeof kDefaultSmbiosTable; ++i) smbios_[i] = kDefaultSmbiosTable[i];
        smbiosSize_ = sizeof kDefaultSmbiosTable;
    }
    MachineModel(const MachineModel&) = delete;
    MachineModel& operator=(const MachineModel&) = delete;

    // The BIOS request driver: answers one request and logs it. A request the
    // machine does not know, or one that an injected fault hits, is answered
    // with Status 0xFFFFFFFF and changes nothing.
    void AnswerSmiRequest(const SmiRequest& request, SmiRequest& reply);

    // Lets time pass for the battery: it drains on battery and charges on
    // external power.
    void AdvanceTime(std::uint32_t milliseconds);

    // The next count requests fail.
    void FailNextRequests(std::uint32_t count) { failNext_ = count; }
    std::uint32_t PendingFailures() const { return failNext_; }

    // Faults by target (fault_targets.h): the next count requests of that
    // operation or device request fail; kFaultAlways every one, 0 none.
    bool ArmFault(std::uint32_t target, std::uint32_t count);
    std::uint32_t ArmedFault(std::uint32_t target) const { return target < kFaultTargets ? faults_[target] : 0; }
    // True, and one fewer left, when a fault is armed on target.
    bool TakeFault(std::uint32_t target);

    // Back to the factory: state, SMBIOS table, faults.
    void ResetToFactory();

    // The persistent settings as they are now, and back from a saved block
    // (any bytes: a short, damaged, foreign or out-of-range block leaves the
    // factory state).
    void Save(SavedMachine& saved) const;
    SavedSettings Restore(const std::uint8_t* bytes, std::uint32_t size);
    // Whoever keeps the saved block tells how its last write went: written, or
    // failed with the system's status.
    void SaveWritten();
    void SaveFailed(std::uint32_t status);
    SavedSettings Settings() const { return settings_; }
    // The status of the failed write while the settings are NotSaved, else 0.
    std::uint32_t SaveFailure() const { return saveFailure_; }

    // The power source as the BIOS answers it.
    std::uint8_t PowerSourceAnswer() const;

    // The request log, oldest first; it keeps the latest kSmiLogCapacity.
    std::uint32_t LogCount() const { return logCount_; }
    bool GetLogEntry(std::uint32_t index, SmiLogEntry& entry) const;
    void ClearLog() { logCount_ = 0; logNext_ = 0; }

    // The hot-key driver. PressHotkey queues an event, unless the last set-up
    // turned the key's group off; TakeHotkeyEvent hands out the oldest (false
    // when there is none). Set-up and release count every request, also one
    // that a fault refuses.
    KeyPress PressHotkey(std::uint8_t group, std::uint8_t mask);
    bool TakeHotkeyEvent(HotkeyEventBlock& event);
    bool SetupHotkeys(const HotkeySetupBlock& setup);
    bool ReleaseHotkeys();
    void SetHotkeyReleaseFails(bool fails) { hotkey_.releaseFails = fails ? 1 : 0; }
    const HotkeyStatus& Hotkeys() const { return hotkey_; }

    // The DMI proxy's SMBIOS table. LoadSmbiosTable replaces it (false, and
    // nothing changed, when it is empty or longer than kSmbiosTableMax).
    bool LoadSmbiosTable(const std::uint8_t* table, std::uint32_t size);
    const std::uint8_t* SmbiosTable() const { return smbios_; }
    std::uint32_t SmbiosTableSize() const { return smbiosSize_; }

    MachineState state;

private:
    // The answer to one known operation (smi_answers.cpp), by what it does;
    // false refuses it.
    bool Serve(SmiOp op, const SmiRequest& request, SmiRequest& reply);
    bool SettingRequest(SmiOp op, const SmiRequest& request, SmiRequest& reply);
    bool DisplayRequest(SmiOp op, const SmiRequest& request, SmiRequest& reply);
    bool SuspendRequest(SmiOp op, const SmiRequest& request, SmiRequest& reply);
    bool PowerModeRequest(SmiOp op, const SmiRequest& request, SmiRequest& reply);
    bool PowerSourceRequest(SmiOp op, const SmiRequest& request, SmiRequest& reply);
    bool PortRequest(SmiOp op, const SmiRequest& request, SmiRequest& reply);
    bool PciRequest(SmiOp op, const SmiRequest& request, SmiRequest& reply);
    bool SteerPin(unsigned i, std::uint8_t action, std::uint8_t irq);
    void Log(const SmiRequest& request, const SmiRequest& reply);
    bool Charging() const;
    void RecordHotkeyRequest(std::uint8_t kind, bool accepted, const HotkeySetupBlock* setup);

    std::uint32_t failNext_ = 0;
    std::uint32_t faults_[kFaultTargets] = {};
    SavedSettings settings_ = SavedSettings::Factory;
    std::uint32_t saveFailure_ = 0;
    std::uint32_t logCount_ = 0;
    std::uint32_t logNext_ = 0;
    SmiLogEntry log_[kSmiLogCapacity] = {};
    HotkeyEventBlock queue_[kHotkeyQueueCapacity] = {};
    std::uint32_t queueHead_ = 0;
    HotkeyStatus hotkey_ = {};
    std::uint32_t smbiosSize_ = 0;
    std::uint8_t smbios_[kSmbiosTableMax] = {};
};
