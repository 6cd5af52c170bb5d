// fuel's seam: the side effects a test must not really perform. The program
// calls Windows through WindowsFuelShell; tests put a recorder in its place.
#pragma once

#include <windows.h>

#include <string>

class FuelShell {
public:
    // A modal message box on owner; returns the button the user chose
    // (IDOK, IDCANCEL, ...).
    virtual int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type) = 0;
    // The help reader (AskHelpReader: WinHelpA, asked once more when it
    // fails) with HELP_INDEX: the index of helpFile. True when the reader
    // took the request.
    virtual bool OpenHelp(HWND owner, const char* helpFile) = 0;
    // WinHelpA with HELP_QUIT: closes the help owner opened.
    virtual void CloseHelp(HWND owner) = 0;

protected:
    ~FuelShell() = default;
};

class WindowsFuelShell final : public FuelShell {
public:
    int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type) override;
    bool OpenHelp(HWND owner, const char* helpFile) override;
    void CloseHelp(HWND owner) override;
};

// The shell fuel.exe runs with, WindowsFuelShell (program_shell.cpp, linked
// into the program alone); tests hand the window a recorder instead.
FuelShell& ProgramShell();
