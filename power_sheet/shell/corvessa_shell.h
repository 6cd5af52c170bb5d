// Corvessa's seam: the side effects a test must not really perform. The
// program calls Windows through WindowsCorvessaShell; tests put a recorder in
// its place.
#pragma once

#include <windows.h>

#include <string>

class CorvessaShell {
public:
    // The help reader (AskHelpReader: WinHelpA, asked once more when it
    // fails) with HELP_CONTEXTPOPUP: the help text of context in a pop-up.
    // True when the reader took the request.
    virtual bool ShowPopupHelp(HWND owner, const char* helpFile, DWORD context) = 0;
    // A modal message box over owner with the program's help caption.
    virtual void ShowMessageBox(HWND owner, const std::string& text, UINT type) = 0;
    // Starts a command line as a new process, not waited for; a failure goes
    // unnoticed.
    virtual void StartProgram(const char* commandLine) = 0;

protected:
    ~CorvessaShell() = default;
};

class WindowsCorvessaShell final : public CorvessaShell {
public:
    bool ShowPopupHelp(HWND owner, const char* helpFile, DWORD context) override;
    void ShowMessageBox(HWND owner, const std::string& text, UINT type) override;
    void StartProgram(const char* commandLine) override;
};

// The shell Corvessa.exe runs with, WindowsCorvessaShell (program_shell.cpp,
// linked into the program alone); tests hand the sheet a recorder instead.
CorvessaShell& ProgramShell();
