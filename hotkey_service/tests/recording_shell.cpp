// The shell of Pressmon's test build: message boxes and shut-downs are
// written, one line each, to pressmon-seam.log beside the program, and never
// happen.
#include <cstdio>
#include <string>

#include "hotkey_service/shell/pressmon_shell.h"
#include "tests/support/test_log.h"

namespace {

class RecordingShell final : public PressmonShell {
public:
    int ShowMessageBox(HWND, const char* text, const char* caption, UINT style) override {
        char styleText[16];
        std::snprintf(styleText, sizeof styleText, "%#x", style);
        Record(std::string("message ") + styleText + " " + caption + ": " + text);
        return IDOK;
    }

    bool ShutDownWindows(UINT flags) override {
        Record("shutdown " + std::to_string(flags));
        return true;
    }

private:
    static void Record(const std::string& line) { AppendLine(PathBesideProgram("pressmon-seam.log"), line); }
};

}  // namespace

PressmonShell& ProgramShell() {
    static RecordingShell shell;
    return shell;
}
