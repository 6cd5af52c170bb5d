// End to end under Wine: the real Corvessa.exe on the virtual notebook's
// driver, started alone and from merovant.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "resources/corvessa/resource.h"
#include "tests/support/console_program.h"
#include "tests/support/machine_log.h"
#include "tests/support/property_sheet.h"
#include "tests/support/registry_value.h"
#include "tests/support/test_log.h"
#include "tests/support/virtual_notebook_test.h"
#include "tests/support/wait_for.h"

namespace {

constexpr char kTitle[] = "Power Management";
constexpr int kApplyButton = 0x3021;  // comctl32's Apply button
constexpr int kHibernationPage = 0;
constexpr int kPowerModePage = 2;

HWND Sheet() { return FindWindowA("#32770", kTitle); }

class CorvessaEndToEnd : public VirtualNotebookTest {
protected:
    void TearDown() override {
        if (HWND sheet = Sheet()) PostMessageA(sheet, WM_CLOSE, 0, 0);
        for (ConsoleProgram* program : {&corvessa, &merovant}) {
            if (program->ProcessId() == 0) continue;
            std::string output;
            DWORD code = 0;
            program->Finish(10000, &output, &code);
        }
        VirtualNotebookTest::TearDown();
    }
    // The machine's request log as machinesim prints it.
    static std::string DecodedLog() {
        std::string log;
        EXPECT_TRUE(ReadDecodedMachineLog(&log));
        return log;
    }

    ConsoleProgram corvessa, merovant;
};

TEST_F(CorvessaEndToEnd, ApplyOnThePowerModePageWritesWhatTheMachineLogShows) {
    SetMachine([](MachineState& s) {
        s.externalPower = 1;
        s.powerMode[1] = 0;
        s.powerMode[2] = 1;
        s.suspendTimer[0] = 9;
        s.lcdOffTimer[0] = 7;
        s.hddOffTimer[0] = 3;
        s.cpuSpeed[0] = 4;
        s.cdromSpeed = 0;
    });
    ASSERT_TRUE(corvessa.Start(QuotedProgramBeside("Corvessa.exe")));
    ASSERT_TRUE(WaitFor([] { return Sheet() != nullptr; }, 15000));
    HWND sheet = Sheet();
    HWND page = ShownSheetPage(sheet, kPowerModePage);
    ASSERT_NE(page, nullptr);

    // Battery on customized, CD-ROM on "Silent".
    HWND source = GetDlgItem(page, IDC_POWER_SOURCE);
    SendMessageA(source, CB_SETCURSEL, 1, 0);
    SendMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_POWER_SOURCE, CBN_SELCHANGE), reinterpret_cast<LPARAM>(source));
    SendMessageA(GetDlgItem(page, IDC_MODE_CUSTOMIZED), BM_CLICK, 0, 0);
    HWND cdrom = GetDlgItem(page, IDC_CDROM_SPEED);
    SendMessageA(cdrom, CB_SETCURSEL, 2, 0);
    SendMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_CDROM_SPEED, CBN_SELCHANGE), reinterpret_cast<LPARAM>(cdrom));
    ASSERT_TRUE(control.ClearLog());
    SendMessageA(sheet, WM_COMMAND, MAKEWPARAM(kApplyButton, BN_CLICKED), 0);

    const std::string log = DecodedLog();
    std::size_t at = 0;
    for (const char* operation : {"SetPowerMode", "SetPowerMode", "SetLCDOffTimer", "SetHDDOffTimer",
                                  "SetSysSuspendTimer", "SetCPUSpeedforCustomized", "SetCDROMSpeed"}) {
        at = log.find(operation, at);
        ASSERT_NE(at, std::string::npos) << operation << " in order in:\n" << log;
        ++at;
    }
    MachineState state;
    ASSERT_TRUE(control.GetState(state));
    EXPECT_EQ(state.powerMode[1], 0);
    EXPECT_EQ(state.powerMode[2], 2);
    EXPECT_EQ(state.cdromSpeed, 2);
    EXPECT_EQ(state.cpuSpeed[0], 4);
    EXPECT_EQ(state.suspendTimer[0], 9);

    // OK closes the sheet and ends the program.
    PostMessageA(sheet, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    std::string output;
    DWORD code = 99;
    ASSERT_TRUE(corvessa.Finish(15000, &output, &code));
    EXPECT_EQ(code, 0u);
}

TEST_F(CorvessaEndToEnd, MerovantStartsItFromThePowerValue) {
    SavedSharedValues values{"Power"};
    values.Set("Power", QuotedProgramBeside("Corvessa.exe"));
    ASSERT_TRUE(merovant.Start(QuotedProgramBeside("merovant.exe") + " /POWER"));
    EXPECT_TRUE(WaitFor([] { return Sheet() != nullptr; }, 15000));
    if (HWND sheet = Sheet()) {
        DWORD process = 0;
        GetWindowThreadProcessId(sheet, &process);
        EXPECT_NE(process, merovant.ProcessId()) << "a program of its own";
        PostMessageA(sheet, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        EXPECT_TRUE(WaitFor([] { return Sheet() == nullptr; }, 10000));
    }
}

TEST_F(CorvessaEndToEnd, HibernationButtonStartsTheUtilityNamedInHiberUtility) {
    const std::string log = PathBesideProgram("hiber-utility.log");
    DeleteFileA(log.c_str());
    const std::string utility = QuotedProgramBeside("hiber_utility_standin.exe") + " /from-corvessa";
    SavedSharedValues values{"HiberUtility"};
    values.Set("HiberUtility", utility);
    ASSERT_TRUE(corvessa.Start(QuotedProgramBeside("Corvessa.exe")));
    ASSERT_TRUE(WaitFor([] { return Sheet() != nullptr; }, 15000));
    HWND sheet = Sheet();
    HWND page = ShownSheetPage(sheet, kHibernationPage);
    ASSERT_NE(page, nullptr);
    SendMessageA(GetDlgItem(page, IDC_HIBERNATION_UTILITY), BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitFor([&] { return ReadWholeFile(log).find("started /from-corvessa") != std::string::npos; }, 15000));
    EXPECT_NE(Sheet(), nullptr) << "the sheet stays open";
}

}  // namespace
