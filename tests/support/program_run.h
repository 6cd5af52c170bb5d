// Starting the programs under test as the shell would: windows of their own,
// no pipes, their process kept to wait on or end.
#pragma once

#include "common/win32/unique_handle.h"

#include <windows.h>

#include <string>

// A program started by StartProgram; empty when it could not be started.
struct StartedProgram {
    UniqueKernelHandle process;
    DWORD id = 0;
    explicit operator bool() const { return static_cast<bool>(process); }
};

// Starts commandLine (a program with blanks in its path quoted), on the
// desktop named desktop when it is not null.
StartedProgram StartProgram(const std::string& commandLine, const char* desktop = nullptr);

// True when program ended within milliseconds; exitCode, when not null, is
// written then.
bool Ended(const StartedProgram& program, DWORD milliseconds, DWORD* exitCode = nullptr);

// Gives a started program milliseconds to end, then ends it.
void EndWithin(const StartedProgram& program, DWORD milliseconds);
