#include "save_to_disk/platform/nt_fs_control.h"

#include "common/win32/library_function.h"
#include "save_to_disk/engine/fsctl/fs_control.h"

bool NtFsControl::Resolve() {
    proc_ = FindFunction<NtFsControlFileProc>(GetModuleHandleA("ntdll.dll"), "NtFsControlFile");
    return proc_ != nullptr;
}

uint32_t NtFsControl::Call(HANDLE handle, uint32_t code, const void* input, uint32_t inputSize, void* output,
                           uint32_t outputSize, uint32_t& returned, bool& waited) const {
    returned = 0;
    waited = false;
    if (proc_ == nullptr) return kStatusInvalidDeviceRequest;
    IoStatusBlock io = {};
    uint32_t status = uint32_t(proc_(handle, nullptr, nullptr, nullptr, &io, code, const_cast<void*>(input),
                                     inputSize, output, outputSize));
    if (status == kStatusPending) {
        waited = true;
        if (WaitForSingleObject(handle, INFINITE) != WAIT_OBJECT_0) return kStatusUnsuccessful;
        status = uint32_t(io.status);
    }
    // The answer's size, bounded by the buffer it went into.
    if (status == kStatusSuccess || status == kStatusBufferOverflow)
        returned = io.information > outputSize ? outputSize : uint32_t(io.information);
    return status;
}
