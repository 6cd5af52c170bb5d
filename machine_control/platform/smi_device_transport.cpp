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
        SmiRequest out{};
        DWORD returned = 0;
        if (!DeviceIoControl(MachineControlHandle, kSmiIoctl, &in, sizeof in, &out, sizeof out, &returned, nullptr))
            return FALSE;
        // A reply shorter than the block would leave part of it unwritten; the
        // machine did not answer in full, so the call counts as failed.
        if (returned < sizeof out) return FALSE;
        reply = out;
        return TRUE;
    }

private:
    HANDLE MachineControlHandle = INVALID_HANDLE_VALUE;
};

SmiDeviceTransport g_device;

}  // namespace

SmiTransport* PlatformSmiTransport() { return &g_device; }
