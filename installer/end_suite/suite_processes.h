// The suite's running programs that the installer ends, each held open from
// the moment it is found: its id cannot pass to another program before it has
// been waited on or ended.
#pragma once

#include <windows.h>

#include <cstddef>
#include <vector>

#include "common/win32/unique_handle.h"

class SuiteProcesses {
public:
    // Adds the process with this id, once; forced says whether it may be
    // terminated when it does not end when asked. A process added twice may
    // be terminated only when both say so. False when it cannot be opened
    // (it has ended, or the id is not a process).
    bool Add(DWORD id, bool forced);
    bool Contains(DWORD id) const;

    // Waits until every process has ended or milliseconds have passed.
    void WaitForAll(DWORD milliseconds) const;
    // Terminates every process still running that may be terminated.
    void TerminateRemaining() const;
    // How many are still running.
    std::size_t Running() const;

private:
    struct Process {
        DWORD id;
        UniqueKernelHandle handle;
        bool forced;
    };
    std::vector<Process> processes_;
};
