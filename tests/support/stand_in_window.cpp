#include "tests/support/stand_in_window.h"

#include "tests/support/wait_for.h"

StandInWindow::StandInWindow(const std::string& program, const std::string& title, const char* mode) {
    program_ = StartProgram("\"" + program + "\" \"" + title + "\" " + mode);
    if (program_)
        WaitFor([&] { return (window_ = FindWindowA("StandInTrayProgram", title.c_str())) != nullptr; });
}

StandInWindow::~StandInWindow() {
    if (program_ && WaitForSingleObject(program_.process.get(), 0) == WAIT_TIMEOUT)
        TerminateProcess(program_.process.get(), 99);
}

DWORD StandInWindow::ExitCode(DWORD milliseconds) const {
    WaitForSingleObject(program_.process.get(), milliseconds);
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(program_.process.get(), &code);
    return code;
}
