// sorvault's seam: the side effects a test must not really perform, and the
// one machine fact a test must be able to fix. The program calls Windows
// through WindowsShell; the test build puts a recorder in its place.
#pragma once

#include <windows.h>

#include <cstdint>

class SorvaultShell {
public:
    // A message box with an OK button holding string-table text `id`, modal to owner.
    virtual void ShowMessage(HWND owner, UINT id) = 0;
    // Asks Windows to restart (on Windows NT with the shutdown privilege enabled).
    virtual void RestartWindows() = 0;
    // The installed memory in bytes (the virtual notebook's where it runs).
    virtual uint64_t InstalledMemory() = 0;

protected:
    ~SorvaultShell() = default;
};

class WindowsShell final : public SorvaultShell {
public:
    void ShowMessage(HWND owner, UINT id) override;
    void RestartWindows() override;
    uint64_t InstalledMemory() override;
};

// The shell the program runs with: WindowsShell in sorvault.exe
// (program_shell.cpp), a recorder in the test build.
SorvaultShell& ProgramShell();
