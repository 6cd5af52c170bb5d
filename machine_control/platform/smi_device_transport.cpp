// The Windows transport: the BIOS request driver's device, \\.\brenix.
#include <windows.h>

#include "machine_control/core/smi_platform.h"

namespace {

class SmiDeviceTransport final : public SmiTransport {
public:
    Bool32 Open() override {
        MachineControlHandle = CreateFileA("\\\\.\\brenix", GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                           FILE_FLAG_OVERLAPPED, nullptr);
        return MachineControlHandle != INVALID_HANDLE_VALUE;
    }

    Bool32 Close() override {
        if (MachineControlHandle == INVALID_HANDLE_VALUE) return FALSE;
        const BOOL closed = CloseHandle(MachineControlHandle);
        MachineControlHandle = INVALID_HANDLE_VALUE;
        return closed;
    }

    Bool32 Exchange(const SmiRequest& request, SmiRequest& reply) override {
        SmiRequest in = request;
        std::uint8_t out[sizeof(SmiRequest)] = {};
        DWORD returned = 0;
        return DeviceIoControl(MachineControlHandle, kSmiIoctl, &in, sizeof in, out, sizeof out, &returned, nullptr) &&
               TakeSmiReply(out, returned, reply);
    }

private:
    HANDLE MachineControlHandle = INVALID_HANDLE_VALUE;
};

SmiDeviceTransport g_device;

}  // namespace

SmiTransport* PlatformSmiTransport() { return &g_device; }
