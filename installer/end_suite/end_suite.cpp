#include "installer/end_suite/end_suite.h"

#include "installer/end_suite/process_images.h"
#include "installer/end_suite/suite_processes.h"
#include "installer/end_suite/suite_windows.h"

namespace {

// The path of an existing file in one spelling whatever the caller wrote:
// short names, so that "C:\PROGRA~1\..." and "C:\Program Files\..." compare
// equal, whatever the case. Empty when the file is not there.
std::string ShortPath(const std::string& path) {
    char shortPath[MAX_PATH];
    const DWORD length = GetShortPathNameA(path.c_str(), shortPath, sizeof shortPath);
    if (length == 0 || length >= sizeof shortPath) return {};
    return std::string(shortPath, length);
}

// Adds every process that runs one of the suite's programs from the folder:
// those without a window of the suite, too (one that is starting or ending).
void AddProgramsRunningFrom(const std::string& folder, const std::vector<std::string>& images,
                            SuiteProcesses& processes) {
    std::vector<std::string> programs;
    for (const std::string& image : images) {
        const std::string path = ShortPath(folder + "\\" + image);
        if (!path.empty()) programs.push_back(path);
    }
    if (programs.empty()) return;
    for (const ProcessImage& running : RunningProcessImages()) {
        if (running.id == GetCurrentProcessId() || processes.Contains(running.id)) continue;
        const std::string path = ShortPath(running.path);
        if (path.empty()) continue;
        for (const std::string& program : programs) {
            if (lstrcmpiA(path.c_str(), program.c_str()) != 0) continue;
            processes.Add(running.id, true);
            break;
        }
    }
}

}  // namespace

bool EndSuite(const std::string& folder, const std::vector<std::string>& images, DWORD endMilliseconds) {
    SuiteProcesses processes;
    AskSuiteWindowsToEnd(processes);
    AddProgramsRunningFrom(folder, images, processes);
    processes.WaitForAll(endMilliseconds);
    processes.TerminateRemaining();
    processes.WaitForAll(endMilliseconds);
    return processes.Running() == 0;
}
