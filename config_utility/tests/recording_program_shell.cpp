// The shell of merovant's test build: every side effect is written, one line
// each, to merovant-seam.log beside the program, and never happens. Message
// boxes and the restart prompt answer OK.
#include "config_utility/shell/merovant_shell.h"

#include <string>

#include "tests/support/test_log.h"

namespace {

class SeamLog final : public MerovantShell {
public:
    bool StartProgram(const char* commandLine) override {
        Record(std::string("start ") + commandLine);
        return true;
    }
    bool OpenHelp(HWND, const char* helpFile, UINT command, DWORD context) override {
        Record(Help(command == HELP_CONTEXTPOPUP ? "popup help" : "help", helpFile, context));
        return true;
    }
    bool ConfirmRestart(HWND) override {
        Record("restart prompt");
        return true;
    }
    int ShowMessageBox(HWND, const std::string& text, UINT) override {
        Record("message " + text);
        return IDOK;
    }
    void RestartWindows() override { Record("restart"); }

private:
    static std::string Help(const char* kind, const char* file, DWORD context) {
        char number[16];
        wsprintfA(number, " %#lx", static_cast<unsigned long>(context));
        return std::string(kind) + " " + file + number;
    }
    static void Record(const std::string& line) { AppendLine(PathBesideProgram("merovant-seam.log"), line); }
};

}  // namespace

MerovantShell& ProgramShell() {
    static SeamLog shell;
    return shell;
}
