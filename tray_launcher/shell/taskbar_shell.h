// taskbar's seam: starting other programs, which a test must not really do.
// The program starts them through WindowsTaskbarShell; tests record the lines.
#pragma once

class TaskbarShell {
public:
    // Starts commandLine with CreateProcessA in directory (null: taskbar's own
    // current directory), not waited for. The result is not examined.
    virtual void StartProgram(const char* commandLine, const char* directory) = 0;

protected:
    ~TaskbarShell() = default;
};

class WindowsTaskbarShell final : public TaskbarShell {
public:
    void StartProgram(const char* commandLine, const char* directory) override;
};

// The shell taskbar.exe runs with, WindowsTaskbarShell (program_shell.cpp,
// linked into the program alone); tests hand the dialog a recorder instead.
TaskbarShell& ProgramShell();
