#include "save_to_disk/platform/machine_memory.h"

#include <windows.h>

#include "common/core/little_endian.h"
#include "common/win32/unique_handle.h"
#include "machine_control/protocols/machine_memory_protocol.h"

namespace {

// The virtual notebook's answer, when the device is there and the answer is
// whole and within the memory a notebook can have.
bool VirtualNotebookMemory(uint64_t& bytes) {
    UniqueFileHandle device(CreateFileA(kVirtualNotebookDeviceName, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                        nullptr, OPEN_EXISTING, 0, nullptr));
    if (!device) return false;
    uint8_t answer[4] = {};
    DWORD returned = 0;
    if (!DeviceIoControl(device.get(), kIoctlMachineMemory, nullptr, 0, answer, sizeof answer, &returned, nullptr) ||
        returned != sizeof answer)
        return false;
    const uint32_t megabytes = ReadLe32(answer);
    if (megabytes < kLeastMemoryMegabytes || megabytes > kMostMemoryMegabytes) return false;
    bytes = uint64_t(megabytes) << 20;
    return true;
}

}  // namespace

uint64_t MachineMemoryBytes() {
    uint64_t bytes = 0;
    if (VirtualNotebookMemory(bytes)) return bytes;
    MEMORYSTATUS status{};
    status.dwLength = sizeof status;
    GlobalMemoryStatus(&status);
    return uint64_t(status.dwTotalPhys);
}
