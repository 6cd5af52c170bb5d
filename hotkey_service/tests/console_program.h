// Running the programs under test and reading what they print.
#pragma once

#include <windows.h>

#include <string>

// The full path of a program beside the running test.
std::string ProgramBeside(const char* name);

// Runs commandLine with its standard output captured; true when it ended
// within timeoutMs. output and exitCode are written on success.
bool RunConsoleProgram(const std::string& commandLine, std::string* output, DWORD* exitCode,
                       DWORD timeoutMs = 60000);
