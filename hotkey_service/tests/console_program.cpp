#include "hotkey_service/tests/console_program.h"

#include "common/unique_handle.h"

#include <vector>

std::string ProgramBeside(const char* name) {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder(path, length < sizeof path ? length : 0);
    folder.erase(folder.find_last_of('\\') + 1);
    return folder + name;
}

bool RunConsoleProgram(const std::string& commandLine, std::string* output, DWORD* exitCode, DWORD timeoutMs) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    UniqueKernelHandle readEnd, writeEnd;
    if (!CreatePipe(readEnd.put(), writeEnd.put(), &inherit, 0)) return false;
    SetHandleInformation(readEnd.get(), HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd.get();
    startup.hStdError = writeEnd.get();
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION process{};
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process))
        return false;
    UniqueKernelHandle processHandle(process.hProcess), thread(process.hThread);
    writeEnd.reset();

    std::string text;
    char buffer[512];
    DWORD read = 0;
    while (ReadFile(readEnd.get(), buffer, sizeof buffer, &read, nullptr) && read > 0) text.append(buffer, read);
    if (WaitForSingleObject(processHandle.get(), timeoutMs) != WAIT_OBJECT_0) {
        TerminateProcess(processHandle.get(), 1);
        return false;
    }
    DWORD code = 0;
    GetExitCodeProcess(processHandle.get(), &code);
    *output = text;
    *exitCode = code;
    return true;
}
