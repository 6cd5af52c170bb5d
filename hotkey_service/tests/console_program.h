// Running the programs under test and reading what they print.
#pragma once

#include "common/unique_handle.h"

#include <windows.h>

#include <string>

// The full path of a program beside the running test.
std::string ProgramBeside(const char* name);

// A program started with its standard output and error into a pipe.
class ConsoleProgram {
public:
    bool Start(const std::string& commandLine, DWORD creationFlags = 0);
    DWORD ProcessId() const { return processId_; }
    // Waits for the end and reads everything printed; false (and the program
    // ended) when it did not end within timeoutMs.
    bool Finish(DWORD timeoutMs, std::string* output, DWORD* exitCode);

private:
    UniqueKernelHandle process_;
    UniqueKernelHandle output_;
    DWORD processId_ = 0;
};

// Runs commandLine to its end; output and exitCode are written on success.
bool RunConsoleProgram(const std::string& commandLine, std::string* output, DWORD* exitCode,
                       DWORD timeoutMs = 60000);
