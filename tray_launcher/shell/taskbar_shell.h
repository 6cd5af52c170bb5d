// taskbar's seam: starting other programs and message boxes, which a test
// must not really do. The program acts through WindowsTaskbarShell; tests
// record instead.
#pragma once

#include <windows.h>

#include <string>

class TaskbarShell {
public:
    // Starts commandLine with CreateProcessA in directory (null: taskbar's own
    // current directory), not waited for. False when no process was created.
    virtual bool StartProgram(const char* commandLine, const char* directory) = 0;
    // A modal message box over owner with caption; returns the button chosen.
    virtual int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type) = 0;

protected:
    ~TaskbarShell() = default;
};

class WindowsTaskbarShell final : public TaskbarShell {
public:
    bool StartProgram(const char* commandLine, const char* directory) override;
    int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type) override;
};

// The shell taskbar.exe runs with, WindowsTaskbarShell (program_shell.cpp,
// linked into the program alone); tests hand the dialog a recorder instead.
TaskbarShell& ProgramShell();
