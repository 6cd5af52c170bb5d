#include "simulator/model/device_server.h"

#include <cstddef>
#include <cstring>

#include "simulator/model/control_protocol.h"

namespace {

constexpr DeviceAnswer Answer(DeviceResult result, std::uint32_t returned = 0, bool signal = false) {
    return DeviceAnswer{result, returned, signal};
}

// A block that must come in and go out whole.
bool InOut(const DeviceRequest& r, std::uint32_t size) {
    return r.buffer != nullptr && r.inLength == size && r.outLength == size;
}
bool In(const DeviceRequest& r, std::uint32_t size) { return r.buffer != nullptr && r.inLength == size; }
bool Out(const DeviceRequest& r, std::uint32_t size) { return r.buffer != nullptr && r.outLength >= size; }

DeviceAnswer ServeBios(MachineModel& model, const DeviceRequest& r) {
    if (r.code != kSmiIoctl) return Answer(DeviceResult::UnknownCode);
    if (!InOut(r, sizeof(SmiRequest))) return Answer(DeviceResult::WrongLength);
    SmiRequest request;
    std::memcpy(&request, r.buffer, sizeof request);
    SmiRequest reply;
    model.AnswerSmiRequest(request, reply);
    std::memcpy(r.buffer, &reply, sizeof reply);
    return Answer(DeviceResult::Done, sizeof reply);
}

DeviceAnswer ServeDmi(MachineModel& model, const DeviceRequest& r) {
    if (r.code != kIoctlDmiGetTable) return Answer(DeviceResult::UnknownCode);
    const std::uint32_t size = model.SmbiosTableSize();
    if (!Out(r, size)) return Answer(DeviceResult::WrongLength);
    if (model.TakeFault(kFaultDmi)) return Answer(DeviceResult::Refused);
    std::memcpy(r.buffer, model.SmbiosTable(), size);
    return Answer(DeviceResult::Done, size);
}

DeviceAnswer ServeHotkey(MachineModel& model, const DeviceRequest& r) {
    switch (r.code) {
        case IoctlHotkeyGetEvent: {
            if (!InOut(r, sizeof(HotkeyEventBlock))) return Answer(DeviceResult::WrongLength);
            HotkeyEventBlock event;
            if (!model.TakeHotkeyEvent(event)) return Answer(DeviceResult::Refused);
            std::memcpy(r.buffer, &event, sizeof event);
            // The event is auto-reset: signal again for each key still waiting.
            return Answer(DeviceResult::Done, sizeof event, model.Hotkeys().queuedEvents != 0);
        }
        case IoctlHotkeySetup: {
            if (!InOut(r, sizeof(HotkeySetupBlock))) return Answer(DeviceResult::WrongLength);
            HotkeySetupBlock setup;
            std::memcpy(&setup, r.buffer, sizeof setup);
            if (!model.SetupHotkeys(setup)) return Answer(DeviceResult::Refused);
            return Answer(DeviceResult::Done, sizeof setup);
        }
        case IoctlHotkeyRelease:
            return Answer(model.ReleaseHotkeys() ? DeviceResult::Done : DeviceResult::Refused);
        default: return Answer(DeviceResult::UnknownCode);
    }
}

std::uint32_t ReadWord(const DeviceRequest& r) {
    std::uint32_t value;
    std::memcpy(&value, r.buffer, sizeof value);
    return value;
}

// A block of the model copied out whole.
DeviceAnswer CopyOut(const DeviceRequest& r, const void* block, std::uint32_t size) {
    if (!Out(r, size)) return Answer(DeviceResult::WrongLength);
    std::memcpy(r.buffer, block, size);
    return Answer(DeviceResult::Done, size);
}

// ---- the state ----

// A state the machine could not restore after a restart is refused whole.
DeviceAnswer SetState(MachineModel& model, const DeviceRequest& r) {
    if (!In(r, sizeof(MachineState))) return Answer(DeviceResult::WrongLength);
    MachineState state;
    std::memcpy(&state, r.buffer, sizeof state);
    if (!StateInRange(state)) return Answer(DeviceResult::Refused);
    model.state = state;
    return Answer(DeviceResult::Done);
}

DeviceAnswer MachineMemory(MachineModel& model, const DeviceRequest& r) {
    const std::uint32_t megabytes = model.state.memoryMegabytes;
    return CopyOut(r, &megabytes, sizeof megabytes);
}

// ---- the hot keys ----

DeviceAnswer PressHotkey(MachineModel& model, const DeviceRequest& r) {
    if (!In(r, sizeof(ControlHotkeyPress))) return Answer(DeviceResult::WrongLength);
    ControlHotkeyPress press;
    std::memcpy(&press, r.buffer, sizeof press);
    switch (model.PressHotkey(press.group, press.mask)) {
        case KeyPress::Queued: return Answer(DeviceResult::Done, 0, true);
        case KeyPress::Ignored: return Answer(DeviceResult::Done);
        case KeyPress::QueueFull: break;
    }
    return Answer(DeviceResult::Refused);
}

DeviceAnswer SetReleaseFails(MachineModel& model, const DeviceRequest& r) {
    if (!In(r, sizeof(std::uint32_t))) return Answer(DeviceResult::WrongLength);
    model.SetHotkeyReleaseFails(ReadWord(r) != 0);
    return Answer(DeviceResult::Done);
}

// ---- the faults ----

DeviceAnswer FailNext(MachineModel& model, const DeviceRequest& r) {
    if (!In(r, sizeof(std::uint32_t))) return Answer(DeviceResult::WrongLength);
    model.FailNextRequests(ReadWord(r));
    return Answer(DeviceResult::Done);
}

DeviceAnswer ArmFault(MachineModel& model, const DeviceRequest& r) {
    if (!In(r, sizeof(ControlFault))) return Answer(DeviceResult::WrongLength);
    ControlFault fault;
    std::memcpy(&fault, r.buffer, sizeof fault);
    return Answer(model.ArmFault(fault.target, fault.count) ? DeviceResult::Done : DeviceResult::Refused);
}

DeviceAnswer GetStatus(MachineModel& model, const DeviceRequest& r) {
    ControlStatus status;
    status.settings = static_cast<std::uint32_t>(model.Settings());
    status.saveFailure = model.SaveFailure();
    status.pendingFailures = model.PendingFailures();
    for (std::uint32_t i = 0; i < kFaultTargets; ++i) status.faults[i] = model.ArmedFault(i);
    return CopyOut(r, &status, sizeof status);
}

// ---- the request log ----

DeviceAnswer ReadLog(MachineModel& model, const DeviceRequest& r) {
    if (!In(r, sizeof(std::uint32_t)) || !Out(r, sizeof(ControlLogChunk))) return Answer(DeviceResult::WrongLength);
    const std::uint32_t first = ReadWord(r);
    // Filled in place: the chunk header first, then each entry.
    std::uint32_t count = 0;
    SmiLogEntry entry;
    while (count < kControlLogChunkEntries && model.GetLogEntry(first + count, entry)) {
        std::memcpy(r.buffer + offsetof(ControlLogChunk, entries) + count * sizeof entry, &entry, sizeof entry);
        ++count;
    }
    const std::uint32_t header[2] = {model.LogCount(), count};
    std::memcpy(r.buffer, header, sizeof header);
    return Answer(DeviceResult::Done, sizeof(ControlLogChunk));
}

// ---- the SMBIOS table ----

DeviceAnswer LoadSmbios(MachineModel& model, const DeviceRequest& r) {
    if (r.buffer == nullptr || r.inLength == 0 || r.inLength > kSmbiosTableMax) return Answer(DeviceResult::WrongLength);
    return Answer(model.LoadSmbiosTable(r.buffer, r.inLength) ? DeviceResult::Done : DeviceResult::Refused);
}

DeviceAnswer ServeControl(MachineModel& model, const DeviceRequest& r) {
    switch (r.code) {
        case kCtlGetState: return CopyOut(r, &model.state, sizeof model.state);
        case kCtlSetState: return SetState(model, r);
        case kCtlReset:
            model.ResetToFactory();
            return Answer(DeviceResult::Done);
        case kCtlPressHotkey: return PressHotkey(model, r);
        case kCtlGetHotkeys: return CopyOut(r, &model.Hotkeys(), sizeof(HotkeyStatus));
        case kCtlReleaseFails: return SetReleaseFails(model, r);
        case kCtlFailNext: return FailNext(model, r);
        case kCtlArmFault: return ArmFault(model, r);
        case kCtlGetStatus: return GetStatus(model, r);
        case kCtlReadLog: return ReadLog(model, r);
        case kCtlClearLog:
            model.ClearLog();
            return Answer(DeviceResult::Done);
        case kCtlLoadSmbios: return LoadSmbios(model, r);
        case kCtlGetSmbios: return CopyOut(r, model.SmbiosTable(), model.SmbiosTableSize());
        case kIoctlMachineMemory: return MachineMemory(model, r);
        default: return Answer(DeviceResult::UnknownCode);
    }
}

}  // namespace

DeviceAnswer ServeDeviceRequest(MachineModel& model, NotebookDevice device, const DeviceRequest& request) {
    switch (device) {
        case NotebookDevice::Bios: return ServeBios(model, request);
        case NotebookDevice::Dmi: return ServeDmi(model, request);
        case NotebookDevice::Hotkey: return ServeHotkey(model, request);
        case NotebookDevice::Control: return ServeControl(model, request);
    }
    return Answer(DeviceResult::UnknownCode);
}
