#include "tests/support/program_run.h"

StartedProgram StartProgram(const std::string& commandLine, const char* desktop) {
    std::string line = commandLine;
    std::string desktopName = desktop != nullptr ? desktop : "";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (desktop != nullptr) startup.lpDesktop = desktopName.data();
    PROCESS_INFORMATION info{};
    StartedProgram started;
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        return started;
    CloseHandle(info.hThread);
    started.process.reset(info.hProcess);
    started.id = info.dwProcessId;
    return started;
}

bool Ended(const StartedProgram& program, DWORD milliseconds, DWORD* exitCode) {
    if (!program || WaitForSingleObject(program.process.get(), milliseconds) != WAIT_OBJECT_0) return false;
    return exitCode == nullptr || GetExitCodeProcess(program.process.get(), exitCode) != 0;
}

void EndWithin(const StartedProgram& program, DWORD milliseconds) {
    if (program && !Ended(program, milliseconds)) TerminateProcess(program.process.get(), 1);
}
