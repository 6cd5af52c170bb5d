// libFuzzer entry: the saved settings the virtual notebook restores at start.
// An input of one byte more than a saved block is that block sealed with its
// checksum first, so that mutated values reach past the checksum test. A
// restored machine must then serve every request of its devices, and its own
// save must restore to the same bytes.
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "simulator/model/control_protocol.h"
#include "simulator/model/device_server.h"

namespace {

void Serve(MachineModel& model, NotebookDevice device, uint32_t code, void* block, uint32_t in, uint32_t out) {
    const DeviceRequest request{code, static_cast<uint8_t*>(block), in, out};
    const DeviceAnswer answer = ServeDeviceRequest(model, device, request);
    if (answer.returned > out) std::abort();
}

// Every catalogue row as the request library sends it, with selectors and
// values from the restored state's own range of use.
void ServeEveryRequest(MachineModel& model) {
    for (uint32_t i = 0; i < kSmiOperationCount; ++i) {
        const SmiOperation& row = kSmiOperations[i];
        for (uint32_t selector = 0; selector < 4; ++selector) {
            SmiRequest block{};
            block.Eax = row.function;
            block.Ebx = uint32_t(row.action == kSmiAnyAction ? selector : uint32_t(row.action)) << 8 | row.subFunction;
            block.Ecx = selector;
            block.Edx = selector;
            Serve(model, NotebookDevice::Bios, kSmiIoctl, &block, sizeof block, sizeof block);
        }
    }
    static uint8_t table[kSmbiosTableMax];
    Serve(model, NotebookDevice::Dmi, kIoctlDmiGetTable, table, 0, sizeof table);
    ControlStatus status;
    Serve(model, NotebookDevice::Control, kCtlGetStatus, &status, 0, sizeof status);
    model.PressHotkey(kPlaystationKeyGroup, 1);
    HotkeyEventBlock event{};
    Serve(model, NotebookDevice::Hotkey, IoctlHotkeyGetEvent, &event, sizeof event, sizeof event);
    model.AdvanceTime(60 * 1000);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static SavedMachine saved;
    std::vector<uint8_t> bytes(data, data + size);
    if (size == sizeof saved + 1) {
        std::memcpy(&saved, data, sizeof saved);
        saved.checksum = SavedMachineChecksum(saved);
        bytes.assign(reinterpret_cast<const uint8_t*>(&saved), reinterpret_cast<const uint8_t*>(&saved) + sizeof saved);
    }
    const auto model = std::make_unique<MachineModel>();
    if (model->Restore(bytes.data(), uint32_t(bytes.size())) == SavedSettings::Restored) {
        static SavedMachine again, third;
        model->Save(again);
        const auto copy = std::make_unique<MachineModel>();
        if (copy->Restore(reinterpret_cast<const uint8_t*>(&again), sizeof again) != SavedSettings::Restored)
            std::abort();
        copy->Save(third);
        if (std::memcmp(&again, &third, sizeof again) != 0) std::abort();
    }
    ServeEveryRequest(*model);
    return 0;
}
