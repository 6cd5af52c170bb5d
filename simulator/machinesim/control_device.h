// The virtual notebook's control device, \\.\VirtualNotebook, seen from user
// mode: machinesim and the end-to-end tests read and change the machine here.
#pragma once

#include <cstdint>

#include "common/win32/unique_handle.h"
#include "simulator/model/control_protocol.h"

class ControlDevice {
public:
    // Opens the device; false when the driver is not running.
    bool Open();

    bool GetState(MachineState& state) const;
    bool SetState(const MachineState& state) const;
    bool PressHotkey(std::uint8_t group, std::uint8_t mask) const;
    bool GetHotkeys(HotkeyStatus& status) const;
    bool SetReleaseFails(bool fails) const;
    bool FailNextRequests(std::uint32_t count) const;
    bool ReadLog(std::uint32_t first, ControlLogChunk& chunk) const;
    bool ClearLog() const;
    bool LoadSmbiosTable(const std::uint8_t* table, std::uint32_t size) const;
    bool ReadSmbiosTable(std::uint8_t (&table)[kSmbiosTableMax], std::uint32_t& size) const;
    bool ArmFault(std::uint32_t target, std::uint32_t count) const;
    bool GetStatus(ControlStatus& status) const;
    bool ResetToFactory() const;

private:
    bool Control(std::uint32_t code, const void* in, DWORD inSize, void* out, DWORD outSize, DWORD* returned) const;

    UniqueFileHandle device_;
};
