// NtFsControlFile of "ntdll.dll", found at run time (Windows 95/98 has none),
// and the I/O status block it answers in.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

struct IoStatusBlock {
    union {
        LONG status;
        void* pointer;
    };
    ULONG_PTR information;  // bytes of the answer
};
static_assert(sizeof(IoStatusBlock) == 2 * sizeof(void*));
static_assert(offsetof(IoStatusBlock, information) == sizeof(void*));

class NtFsControl {
public:
    // Finds the entry point in the loaded "ntdll.dll".
    bool Resolve();
    // One control with no event and no completion routine; a pending status is
    // waited for on the handle and the status is then taken from the I/O status block.
    uint32_t Call(HANDLE handle, uint32_t code, const void* input, uint32_t inputSize, void* output,
                  uint32_t outputSize, uint32_t& returned, bool& waited) const;

private:
    using NtFsControlFileProc = LONG(WINAPI*)(HANDLE file, HANDLE event, void* apcRoutine, void* apcContext,
                                             IoStatusBlock* ioStatus, ULONG code, void* input, ULONG inputSize,
                                             void* output, ULONG outputSize);
    NtFsControlFileProc proc_ = nullptr;
};
