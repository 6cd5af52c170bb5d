// Running the programs under test and reading what they print.
#pragma once

#include "common/win32/unique_handle.h"

#include <windows.h>

#include <string>

// The path of a program beside the running test, quoted for a command line.
std::string QuotedProgramBeside(const char* name);

// text with the console's CR LF line ends turned into LF.
std::string WithoutCarriageReturns(const std::string& text);

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

// Runs the program name beside the test with arguments to its end; output
// (with LF line ends) and exitCode are written on success.
bool RunProgramBeside(const char* name, const std::string& arguments, std::string* output, DWORD* exitCode,
                      DWORD timeoutMs = 60000);
