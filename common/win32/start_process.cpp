#include "common/win32/start_process.h"

#include <windows.h>

#include <cstring>

#include "common/win32/unique_handle.h"

bool StartProcess(const char* commandLine, const char* directory) {
    // CreateProcessA may write into the command line, so it gets its own copy.
    char line[1024];
    const std::size_t length = std::strlen(commandLine);
    if (length >= sizeof line) return false;
    std::memcpy(line, commandLine, length + 1);

    STARTUPINFOA startup;
    std::memset(&startup, 0, sizeof startup);
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, line, nullptr, nullptr, FALSE, 0, nullptr, directory, &startup, &process))
        return false;
    UniqueKernelHandle thread(process.hThread);
    UniqueKernelHandle started(process.hProcess);
    return true;
}
