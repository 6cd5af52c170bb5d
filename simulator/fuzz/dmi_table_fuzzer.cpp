// libFuzzer entry: a file given to `machinesim dmi FILE`. Its bytes go to the
// control device as the machine's SMBIOS table; a table the device takes is
// then what the DMI proxy hands out, byte for byte, and `machinesim dmi
// --dump` builds its dump file from it.
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "simulator/machinesim/smbios_dump.h"
#include "simulator/model/control_protocol.h"
#include "simulator/model/device_server.h"

namespace {

DeviceAnswer Serve(MachineModel& model, NotebookDevice device, uint32_t code, uint8_t* buffer, uint32_t in,
                   uint32_t out) {
    return ServeDeviceRequest(model, device, DeviceRequest{code, buffer, in, out});
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto model = std::make_unique<MachineModel>();
    // The device's buffer holds exactly the file's bytes, so that a read past them is caught.
    const std::unique_ptr<uint8_t[]> file(new uint8_t[size]);
    std::memcpy(file.get(), data, size);
    const DeviceAnswer loaded =
        Serve(*model, NotebookDevice::Control, kCtlLoadSmbios, file.get(), uint32_t(size), 0);
    const bool loadable = size > 0 && size <= kSmbiosTableMax;
    if ((loaded.result == DeviceResult::Done) != loadable) std::abort();
    if (!loadable) return 0;

    static uint8_t table[kSmbiosTableMax];
    const DeviceAnswer served = Serve(*model, NotebookDevice::Dmi, kIoctlDmiGetTable, table, 0, sizeof table);
    if (served.result != DeviceResult::Done || served.returned != size || std::memcmp(table, data, size) != 0)
        std::abort();
    std::vector<uint8_t> dump;
    if (BuildSmbiosDump(table, uint32_t(size), dump) &&
        (dump.size() < 32 + size || std::memcmp(dump.data() + dump.size() - size, data, size) != 0))
        std::abort();
    return 0;
}
