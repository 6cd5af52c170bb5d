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
    // Starts a command line as a new process, not waited for. False when no
    // process was created.
    virtual bool StartProgram(const char* commandLine) = 0;
    // A modal message box over owner with the string captionId as caption;
    // returns the button chosen.
    virtual int ShowMessageBox(HWND owner, UINT captionId, const std::string& text, UINT type) = 0;

protected:
    ~CorvessaShell() = default;
};

class WindowsCorvessaShell final : public CorvessaShell {
public:
    bool ShowPopupHelp(HWND owner, const char* helpFile, DWORD context) override;
    bool StartProgram(const char* commandLine) override;
    int ShowMessageBox(HWND owner, UINT captionId, const std::string& text, UINT type) override;
};

// The shell Corvessa.exe runs with, WindowsCorvessaShell (program_shell.cpp,
// linked into the program alone); tests hand the sheet a recorder instead.
CorvessaShell& ProgramShell();
