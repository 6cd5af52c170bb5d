// merovant's seam: the side effects a test must not really perform. The
// program calls Windows through WindowsMerovantShell; tests put a recorder in
// its place.
#pragma once

#include <windows.h>

#include <string>

class MerovantShell {
public:
    // Starts a command line with CreateProcessA (no window options, not waited
    // for). False when no process was created (an empty line, a program that
    // does not exist).
    virtual bool StartProgram(const char* commandLine) = 0;
    // The help reader (AskHelpReader: WinHelpA, asked once more when it
    // fails) with command HELP_CONTEXT (a topic in the help window) or
    // HELP_CONTEXTPOPUP (the text of context in a pop-up) of helpFile. True
    // when the reader took the request.
    virtual bool OpenHelp(HWND owner, const char* helpFile, UINT command, DWORD context) = 0;
    // The restart prompt after a hardware setting changed, modal to owner;
    // true when the user chose to restart now.
    virtual bool ConfirmRestart(HWND owner) = 0;
    // A modal message box with the program's title as caption; returns the
    // button the user chose (IDOK, IDYES, ...).
    virtual int ShowMessageBox(HWND owner, const std::string& text, UINT type) = 0;
    // Asks Windows to restart (RestartMachine); the result is not examined.
    virtual void RestartWindows() = 0;

protected:
    ~MerovantShell() = default;
};

class WindowsMerovantShell final : public MerovantShell {
public:
    bool StartProgram(const char* commandLine) override;
    bool OpenHelp(HWND owner, const char* helpFile, UINT command, DWORD context) override;
    bool ConfirmRestart(HWND owner) override;
    int ShowMessageBox(HWND owner, const std::string& text, UINT type) override;
    void RestartWindows() override;
};

// The shell the program runs with: WindowsMerovantShell in merovant.exe
// (program_shell.cpp), a recorder in the test build.
MerovantShell& ProgramShell();
