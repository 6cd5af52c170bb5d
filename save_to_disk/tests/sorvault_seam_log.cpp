// The shell of sorvault's test build: message boxes and the restart are
// written, one line each, to sorvault-seam.log beside the program and never
// happen. The stand-in machine has 8 MiB of memory, so that a save file fits
// on a small test disk whatever the host has.
#include "save_to_disk/shell/sorvault_shell.h"

#include <string>

#include "common/win32/load_string.h"
#include "tests/support/test_log.h"

namespace {

constexpr uint64_t kStandInMemory = 8 * 1024 * 1024;

class SeamLog final : public SorvaultShell {
public:
    void ShowMessage(HWND, UINT id) override { Record("message " + std::to_string(id) + " " + LoadStr(id)); }
    void RestartWindows() override { Record("restart"); }
    uint64_t InstalledMemory() override { return kStandInMemory; }

private:
    static void Record(const std::string& line) { AppendLine(PathBesideProgram("sorvault-seam.log"), line); }
};

}  // namespace

SorvaultShell& ProgramShell() {
    static SeamLog shell;
    return shell;
}
