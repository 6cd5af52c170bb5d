// Pressmon's seam: the side effects a test must not really perform, message
// boxes and shutting the machine down. The program calls Windows through
// WindowsShell; the test build puts a recorder in its place.
#pragma once

#include <windows.h>

class PressmonShell {
public:
    // MessageBoxA: text under caption, in style, modal to owner (or none).
    virtual int ShowMessageBox(HWND owner, const char* text, const char* caption, UINT style) = 0;
    // ExitWindowsEx with flags (EWX_SHUTDOWN, with or without EWX_FORCE).
    virtual bool ShutDownWindows(UINT flags) = 0;

protected:
    ~PressmonShell() = default;
};

class WindowsShell final : public PressmonShell {
public:
    int ShowMessageBox(HWND owner, const char* text, const char* caption, UINT style) override;
    bool ShutDownWindows(UINT flags) override;
};

// The shell the program runs with: WindowsShell in Pressmon.exe
// (program_shell.cpp), a recorder in the test build.
PressmonShell& ProgramShell();
