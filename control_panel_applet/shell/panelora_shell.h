// Panelora's seam: starting merovant, which a test must not really do. The
// library starts it through WindowsPaneloraShell; tests record the line.
#pragma once

class PaneloraShell {
public:
    // Starts commandLine with CreateProcessA in directory (null: the Control
    // Panel's own current directory), not waited for. The result is not examined.
    virtual void StartProgram(const char* commandLine, const char* directory) = 0;

protected:
    ~PaneloraShell() = default;
};

class WindowsPaneloraShell final : public PaneloraShell {
public:
    void StartProgram(const char* commandLine, const char* directory) override;
};

// The shell Panelora.cpl runs with, WindowsPaneloraShell (program_shell.cpp,
// linked into the library alone); tests hand the applet a recorder instead.
PaneloraShell& ProgramShell();
