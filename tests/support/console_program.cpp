#include "tests/support/console_program.h"

#include "tests/support/test_log.h"

#include <vector>

std::string QuotedProgramBeside(const char* name) {
    std::string quoted = "\"";
    quoted += PathBesideProgram(name);
    quoted += '"';
    return quoted;
}

std::string WithoutCarriageReturns(const std::string& text) {
    std::string lines;
    for (char c : text)
        if (c != '\r') lines += c;
    return lines;
}

bool ConsoleProgram::Start(const std::string& commandLine, DWORD creationFlags) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    UniqueKernelHandle readEnd, writeEnd;
    if (!CreatePipe(readEnd.put(), writeEnd.put(), &inherit, 1 << 16)) return false;
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
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, creationFlags, nullptr, nullptr, &startup,
                        &process))
        return false;
    CloseHandle(process.hThread);
    process_.reset(process.hProcess);
    processId_ = process.dwProcessId;
    output_ = std::move(readEnd);
    return true;
}

bool ConsoleProgram::Finish(DWORD timeoutMs, std::string* output, DWORD* exitCode) {
    if (WaitForSingleObject(process_.get(), timeoutMs) != WAIT_OBJECT_0) {
        TerminateProcess(process_.get(), 1);
        WaitForSingleObject(process_.get(), 5000);
        return false;
    }
    // Everything the program printed is in the pipe now; read what is there.
    std::string text;
    char buffer[512];
    DWORD available = 0, read = 0;
    while (PeekNamedPipe(output_.get(), nullptr, 0, nullptr, &available, nullptr) && available > 0 &&
           ReadFile(output_.get(), buffer, sizeof buffer, &read, nullptr) && read > 0)
        text.append(buffer, read);
    DWORD code = 0;
    GetExitCodeProcess(process_.get(), &code);
    *output = text;
    *exitCode = code;
    return true;
}

bool RunProgramBeside(const char* name, const std::string& arguments, std::string* output, DWORD* exitCode,
                      DWORD timeoutMs) {
    ConsoleProgram program;
    std::string printed;
    if (!program.Start(QuotedProgramBeside(name) + " " + arguments) || !program.Finish(timeoutMs, &printed, exitCode))
        return false;
    *output = WithoutCarriageReturns(printed);
    return true;
}
