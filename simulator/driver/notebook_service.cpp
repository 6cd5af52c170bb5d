// The driver's one machine: constant-initialized, so it needs no constructor
// call at load time.
#include "simulator/driver/notebook_service.h"

#include "simulator/model/device_server.h"

static_assert(NOTEBOOK_CONTROL == static_cast<unsigned>(NotebookDevice::Control), "device numbers agree");
static_assert(NOTEBOOK_REFUSED == static_cast<unsigned>(DeviceResult::Refused), "result numbers agree");

namespace {

constinit MachineModel g_model;

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
    return answer;
}
