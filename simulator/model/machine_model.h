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

// The hot-key driver's side: what the service set up and asked for.
struct HotkeyStatus {
    HotkeySetupBlock lastSetup;
    std::uint32_t setupCount;
    std::uint32_t releaseCount;
    std::uint32_t releaseFails;   // nonzero: the release request fails
    std::uint32_t queuedEvents;
};
static_assert(sizeof(HotkeyStatus) == 28, "HotkeyStatus travels over the control device");

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

    // The request log, oldest first; it keeps the latest kSmiLogCapacity.
    std::uint32_t LogCount() const { return logCount_; }
    bool GetLogEntry(std::uint32_t index, SmiLogEntry& entry) const;
    void ClearLog() { logCount_ = 0; logNext_ = 0; }

    // The hot-key driver. PressHotkey queues an event (false when the queue is
    // full); TakeHotkeyEvent hands out the oldest (false when there is none).
    bool PressHotkey(std::uint8_t group, std::uint8_t mask);
    bool TakeHotkeyEvent(HotkeyEventBlock& event);
    void SetupHotkeys(const HotkeySetupBlock& setup);
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
    bool Dispatch(const SmiRequest& request, SmiRequest& reply);
    bool DisplayRequest(const SmiRequest& request, SmiRequest& reply);
    bool PowerRequest(const SmiRequest& request, SmiRequest& reply);
    bool PortRequest(const SmiRequest& request, SmiRequest& reply);
    void Log(const SmiRequest& request, const SmiRequest& reply);
    bool Charging() const;

    std::uint32_t failNext_ = 0;
    std::uint32_t logCount_ = 0;
    std::uint32_t logNext_ = 0;
    SmiLogEntry log_[kSmiLogCapacity] = {};
    HotkeyEventBlock queue_[kHotkeyQueueCapacity] = {};
    std::uint32_t queueHead_ = 0;
    HotkeyStatus hotkey_ = {};
    std::uint32_t smbiosSize_ = 0;
    std::uint8_t smbios_[kSmbiosTableMax] = {};
};
