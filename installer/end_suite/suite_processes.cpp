#include "installer/end_suite/suite_processes.h"

#include <algorithm>

namespace {

// The exit code of a program the installer had to terminate.
constexpr UINT kTerminatedExitCode = 1;

bool HasEnded(HANDLE process) { return WaitForSingleObject(process, 0) == WAIT_OBJECT_0; }

}  // namespace

bool SuiteProcesses::Add(DWORD id, bool forced) {
    for (Process& process : processes_) {
        if (process.id != id) continue;
        process.forced = process.forced && forced;
        return true;
    }
    UniqueKernelHandle handle(OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, id));
    if (!handle) return false;
    processes_.push_back({id, std::move(handle), forced});
    return true;
}

bool SuiteProcesses::Contains(DWORD id) const {
    return std::any_of(processes_.begin(), processes_.end(), [id](const Process& p) { return p.id == id; });
}

void SuiteProcesses::WaitForAll(DWORD milliseconds) const {
    const DWORD start = GetTickCount();
    for (const Process& process : processes_) {
        const DWORD spent = GetTickCount() - start;
        WaitForSingleObject(process.handle.get(), spent < milliseconds ? milliseconds - spent : 0);
    }
}

void SuiteProcesses::TerminateRemaining() const {
    for (const Process& process : processes_)
        if (process.forced && !HasEnded(process.handle.get()))
            TerminateProcess(process.handle.get(), kTerminatedExitCode);
}

std::size_t SuiteProcesses::Running() const {
    return static_cast<std::size_t>(std::count_if(processes_.begin(), processes_.end(),
                                                  [](const Process& p) { return !HasEnded(p.handle.get()); }));
}
