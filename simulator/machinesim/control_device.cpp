#include "simulator/machinesim/control_device.h"

bool ControlDevice::Open() {
    device_.reset(CreateFileA(kVirtualNotebookDeviceName, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr));
    return static_cast<bool>(device_);
}

bool ControlDevice::Control(std::uint32_t code, const void* in, DWORD inSize, void* out, DWORD outSize,
                            DWORD* returned) const {
    DWORD bytes = 0;
    if (!DeviceIoControl(device_.get(), code, const_cast<void*>(in), inSize, out, outSize, &bytes, nullptr))
        return false;
    if (returned != nullptr) *returned = bytes;
    return true;
}

bool ControlDevice::GetState(MachineState& state) const {
    MachineState answer;
    DWORD returned = 0;
    if (!Control(kCtlGetState, nullptr, 0, &answer, sizeof answer, &returned) || returned != sizeof answer)
        return false;
    state = answer;
    return true;
}

bool ControlDevice::SetState(const MachineState& state) const {
    return Control(kCtlSetState, &state, sizeof state, nullptr, 0, nullptr);
}

bool ControlDevice::PressHotkey(std::uint8_t group, std::uint8_t mask) const {
    const ControlHotkeyPress press = {group, mask, {0, 0}};
    return Control(kCtlPressHotkey, &press, sizeof press, nullptr, 0, nullptr);
}

bool ControlDevice::GetHotkeys(HotkeyStatus& status) const {
    HotkeyStatus answer;
    DWORD returned = 0;
    if (!Control(kCtlGetHotkeys, nullptr, 0, &answer, sizeof answer, &returned) || returned != sizeof answer)
        return false;
    status = answer;
    return true;
}

bool ControlDevice::SetReleaseFails(bool fails) const {
    const std::uint32_t value = fails ? 1 : 0;
    return Control(kCtlReleaseFails, &value, sizeof value, nullptr, 0, nullptr);
}

bool ControlDevice::FailNextRequests(std::uint32_t count) const {
    return Control(kCtlFailNext, &count, sizeof count, nullptr, 0, nullptr);
}

bool ControlDevice::ReadLog(std::uint32_t first, ControlLogChunk& chunk) const {
    DWORD returned = 0;
    if (!Control(kCtlReadLog, &first, sizeof first, &chunk, sizeof chunk, &returned) || returned != sizeof chunk)
        return false;
    return chunk.count <= kControlLogChunkEntries;
}

bool ControlDevice::ClearLog() const { return Control(kCtlClearLog, nullptr, 0, nullptr, 0, nullptr); }

bool ControlDevice::LoadSmbiosTable(const std::uint8_t* table, std::uint32_t size) const {
    return Control(kCtlLoadSmbios, table, size, nullptr, 0, nullptr);
}

bool ControlDevice::ReadSmbiosTable(std::uint8_t (&table)[kSmbiosTableMax], std::uint32_t& size) const {
    DWORD returned = 0;
    if (!Control(kCtlGetSmbios, nullptr, 0, table, sizeof table, &returned) || returned == 0 || returned > sizeof table)
        return false;
    size = returned;
    return true;
}

bool ControlDevice::ArmFault(std::uint32_t target, std::uint32_t count) const {
    const ControlFault fault = {target, count};
    return Control(kCtlArmFault, &fault, sizeof fault, nullptr, 0, nullptr);
}

bool ControlDevice::GetStatus(ControlStatus& status) const {
    ControlStatus answer;
    DWORD returned = 0;
    if (!Control(kCtlGetStatus, nullptr, 0, &answer, sizeof answer, &returned) || returned != sizeof answer)
        return false;
    status = answer;
    return true;
}

bool ControlDevice::ResetToFactory() const { return Control(kCtlReset, nullptr, 0, nullptr, 0, nullptr); }
