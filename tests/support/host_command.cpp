#include "tests/support/host_command.h"

#include <windows.h>

#include "tests/support/test_log.h"
#include "tests/support/wait_for.h"

bool RunHostCommand(const std::string& folder, const std::string& command, std::string& output) {
    const std::string log = folder + "/host.log", done = folder + "/host.done";
    DeleteFileA(WindowsPath(log).c_str());
    DeleteFileA(WindowsPath(done).c_str());
    std::string line = "/bin/bash -c \"" + command + " >" + log + " 2>&1; echo $? >" + done + ".new; mv " + done +
                       ".new " + done + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        return false;
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    const bool finished =
        WaitFor([&] { return GetFileAttributesA(WindowsPath(done).c_str()) != INVALID_FILE_ATTRIBUTES; }, 180000);
    output = ReadWholeFile(WindowsPath(log));
    return finished && ReadWholeFile(WindowsPath(done)) == "0\n";
}
