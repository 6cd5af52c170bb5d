// The driver's one machine: constant-initialized, so it needs no constructor
// call at load time.
#include "simulator/driver/notebook_service.h"

#include "simulator/model/control_protocol.h"
#include "simulator/model/device_server.h"

#include <cstring>

static_assert(NOTEBOOK_CONTROL == static_cast<unsigned>(NotebookDevice::Control), "device numbers agree");
static_assert(NOTEBOOK_REFUSED == static_cast<unsigned>(DeviceResult::Refused), "result numbers agree");

namespace {

constinit MachineModel g_model;
// What the save file holds (as far as the driver wrote it), and the block
// handed out to be written.
constinit SavedMachine g_saved = {};
constinit SavedMachine g_next = {};

}  // namespace

void NotebookAdvanceTime(unsigned milliseconds) { g_model.AdvanceTime(milliseconds); }

NotebookAnswer NotebookServe(unsigned device, unsigned code, void* buffer, unsigned inLength, unsigned outLength) {
    NotebookAnswer answer = {NOTEBOOK_UNKNOWN_CODE, 0, 0};
    if (device >= NOTEBOOK_DEVICES) return answer;
    const DeviceRequest request = {code, static_cast<std::uint8_t*>(buffer), inLength, outLength};
    const DeviceAnswer served = ServeDeviceRequest(g_model, static_cast<NotebookDevice>(device), request);
    answer.result = static_cast<unsigned>(served.result);
    answer.returned = served.returned;
    answer.signalHotkeyEvent = served.signalHotkeyEvent ? 1 : 0;
    // A reset is saved even when the settings were the factory's already, so
    // that a damaged save is replaced.
    if (device == NOTEBOOK_CONTROL && code == kCtlReset && served.result == DeviceResult::Done)
        std::memset(&g_saved, 0, sizeof g_saved);
    return answer;
}

void NotebookRestore(const void* bytes, unsigned size) {
    g_model.Restore(static_cast<const std::uint8_t*>(bytes), size);
    g_model.Save(g_saved);  // what is in effect now counts as saved
}

// Settings that differ from what the file holds are handed out until a write
// of them succeeds: a failed save stays pending and is tried again.
int NotebookTakeChangedSave(const void** bytes, unsigned* size) {
    g_model.Save(g_next);
    if (std::memcmp(&g_next, &g_saved, sizeof g_next) == 0) return 0;
    *bytes = &g_next;
    *size = sizeof g_next;
    return 1;
}

void NotebookSaveWritten(unsigned status) {
    if (status != 0) {
        g_model.SaveFailed(status);
        return;
    }
    g_saved = g_next;
    g_model.SaveWritten();
}

unsigned NotebookSaveSize(void) { return sizeof(SavedMachine); }
