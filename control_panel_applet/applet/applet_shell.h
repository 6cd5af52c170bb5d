// Panelora's seam: starting merovant, which a test must not really do. The
// library starts it through WindowsAppletShell; tests record the line.
#pragma once

class AppletShell {
public:
    // Starts commandLine with CreateProcessA in directory (null: the Control
    // Panel's own current directory), not waited for. The result is not examined.
    virtual void StartProgram(const char* commandLine, const char* directory) = 0;

protected:
    ~AppletShell() = default;
};

class WindowsAppletShell final : public AppletShell {
public:
    void StartProgram(const char* commandLine, const char* directory) override;
};
