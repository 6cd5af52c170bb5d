// Panelora's seam: starting merovant and message boxes, which a test must not
// really do. The library acts through WindowsPaneloraShell; tests record
// instead.
#pragma once

#include <windows.h>

#include <string>

class PaneloraShell {
public:
    // Starts commandLine with CreateProcessA in directory (null: the Control
    // Panel's own current directory), not waited for. False when no process
    // was created.
    virtual bool StartProgram(const char* commandLine, const char* directory) = 0;
    // A modal message box over owner with caption; returns the button chosen.
    virtual int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type) = 0;

protected:
    ~PaneloraShell() = default;
};

class WindowsPaneloraShell final : public PaneloraShell {
public:
    bool StartProgram(const char* commandLine, const char* directory) override;
    int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type) override;
};

// The shell Panelora.cpl runs with, WindowsPaneloraShell (program_shell.cpp,
// linked into the library alone); tests hand the applet a recorder instead.
PaneloraShell& ProgramShell();
