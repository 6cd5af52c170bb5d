// StandInTrayProgram (tests/support/stand_in_tray_program.cpp) started with a
// window of a given title, as the programs that other programs end are seen:
// merovant's Customize page and the installer's EndSuite find them by title.
#pragma once

#include <windows.h>

#include <string>

#include "tests/support/program_run.h"

class StandInWindow {
public:
    // Starts program (a path to the stand-in or a copy of it) with title and
    // mode ("", "stay" or "busy") and waits for its window.
    StandInWindow(const std::string& program, const std::string& title, const char* mode = "");
    // Terminated if it still runs.
    ~StandInWindow();
    StandInWindow(const StandInWindow&) = delete;
    StandInWindow& operator=(const StandInWindow&) = delete;

    // Whether its window came up.
    bool running() const { return window_ != nullptr; }
    DWORD id() const { return program_.id; }
    // The exit code once it has ended within milliseconds; STILL_ACTIVE if not.
    DWORD ExitCode(DWORD milliseconds = 0) const;

private:
    StartedProgram program_;
    HWND window_ = nullptr;
};
