// End to end under Wine: the real merovant.exe on the virtual notebook's
// driver, several processes together.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <tlhelp32.h>

#include <initializer_list>
#include <string>

#include "common/win32/configuration_key.h"
#include "tests/support/console_program.h"
#include "tests/support/machine_log.h"
#include "tests/support/program_run.h"
#include "tests/support/registry_value.h"
#include "tests/support/test_log.h"
#include "tests/support/wait_for.h"
#include "tests/support/window_text.h"
#include "resources/merovant/resource.h"
#include "tests/support/virtual_notebook_test.h"

namespace {

constexpr char kTitle[] = "Merovant Configuration";

// merovant.exe (or image) beside this test, started with arguments.
StartedProgram StartMerovant(const std::string& arguments, const char* image = "merovant.exe") {
    return StartProgram(QuotedProgramBeside(image) + " " + arguments);
}

// The virtual notebook's request log as `machinesim log --decode` prints it.
std::string DecodedLog() {
    std::string log;
    ReadDecodedMachineLog(&log);
    return log;
}

// How many processes of image run now.
int RunningCopies(const char* image) {
    UniqueKernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot || snapshot.get() == INVALID_HANDLE_VALUE) return -1;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    int copies = 0;
    for (BOOL more = Process32First(snapshot.get(), &entry); more; more = Process32Next(snapshot.get(), &entry))
        copies += lstrcmpiA(entry.szExeFile, image) == 0;
    return copies;
}

int Count(const std::string& text, const std::string& part) {
    int count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
    return count;
}

// Selects position in a drop-down list of another process's page.
void Select(HWND page, int list, int position) {
    SendDlgItemMessageA(page, list, CB_SETCURSEL, position, 0);
    SendMessageA(page, WM_COMMAND, MAKEWPARAM(list, CBN_SELCHANGE), reinterpret_cast<LPARAM>(GetDlgItem(page, list)));
}

class MerovantEndToEnd : public VirtualNotebookTest {
protected:
    void TearDown() override {
        for (StartedProgram* s : {&first, &second}) {
            if (!*s) continue;
            if (HWND window = FindWindowA(nullptr, kTitle)) PostMessageA(window, WM_CLOSE, 0, 0);
            EndWithin(*s, 5000);
        }
        VirtualNotebookTest::TearDown();
    }
    static HWND MainWindow() { return FindWindowA(nullptr, kTitle); }
    // The page titled title once it is shown, that is once its opening is
    // done; nullptr when it is not shown within 15 seconds.
    static HWND ShownPage(const char* title) {
        HWND page = nullptr;
        return WaitFor([&] { return (page = FindWindowA("#32770", title)) != nullptr && IsWindowVisible(page); }, 15000)
                   ? page
                   : nullptr;
    }

    // Starts the test build with a switch, the seam's log deleted first, and
    // waits for the page the switch opens alone.
    HWND StartWithSwitch(const char* option, const char* title) {
        DeleteFileA(SeamLog().c_str());
        first = StartMerovant(option, "MerovantUnderTest.exe");
        EXPECT_TRUE(first);
        return first ? ShownPage(title) : nullptr;
    }
    static std::string SeamLog() { return PathBesideProgram("merovant-seam.log"); }
    // OK on the page: the program ends with it, with code 0.
    void ConfirmPage(HWND page) {
        PostMessageA(page, WM_COMMAND, IDOK, 0);
        DWORD code = 99;
        ASSERT_TRUE(Ended(first, 15000, &code)) << "the program ends with its page";
        EXPECT_EQ(code, 0u);
    }

    StartedProgram first, second;
};

TEST_F(MerovantEndToEnd, SecondInstanceRestoresTheMinimisedFirstWindowAndEnds) {
    first = StartMerovant("");
    ASSERT_TRUE(first);
    ASSERT_TRUE(WaitFor([] { return MainWindow() != nullptr; }, 15000));
    HWND window = MainWindow();
    ShowWindow(window, SW_MINIMIZE);
    ASSERT_TRUE(WaitFor([&] { return IsIconic(window) != 0; }, 3000));

    second = StartMerovant("/DISPLAY");
    ASSERT_TRUE(second);
    DWORD code = 99;
    ASSERT_TRUE(Ended(second, 15000, &code));
    EXPECT_EQ(code, 0u);
    EXPECT_TRUE(WaitFor([&] { return !IsIconic(window) && IsWindowVisible(window); }, 3000));
    EXPECT_EQ(MainWindow(), window) << "still one main window";
}

TEST_F(MerovantEndToEnd, ASentWmCloseEndsTheProcessAndANewStartShowsTheWindow) {
    first = StartMerovant("");
    ASSERT_TRUE(first);
    ASSERT_TRUE(WaitFor([] { return MainWindow() != nullptr; }, 15000));
    // As the installer and other programs close it: sent, not posted.
    DWORD_PTR answer = 0;
    EXPECT_TRUE(SendMessageTimeoutA(MainWindow(), WM_CLOSE, 0, 0, SMTO_NORMAL, 15000, &answer));
    DWORD code = 99;
    ASSERT_TRUE(Ended(first, 15000, &code)) << "the process ends with its window";
    EXPECT_EQ(code, 0u);

    second = StartMerovant("");
    ASSERT_TRUE(second);
    EXPECT_TRUE(WaitFor([] { return MainWindow() != nullptr && IsWindowVisible(MainWindow()); }, 15000))
        << "the single-instance marker went with the first process";
}

TEST_F(MerovantEndToEnd, UnpluggingSwapsTheToolbarWithinASecond) {
    SetMachine([](MachineState& s) {
        s.externalPower = 1;
        s.powerMode[1] = 0;
        s.powerMode[2] = 1;
    });
    first = StartMerovant("");
    ASSERT_TRUE(first);
    ASSERT_TRUE(WaitFor([] { return MainWindow() != nullptr; }, 15000));
    // The window is found by its title while its creation may still run.
    HWND toolbar = nullptr;
    ASSERT_TRUE(WaitFor(
        [&] { return (toolbar = FindWindowExA(MainWindow(), nullptr, TOOLBARCLASSNAMEA, nullptr)) != nullptr; },
        3000));
    auto has = [&](int command) { return SendMessageA(toolbar, TB_COMMANDTOINDEX, command, 0) >= 0; };
    auto checked = [&](int command) { return SendMessageA(toolbar, TB_ISBUTTONCHECKED, command, 0) > 0; };
    ASSERT_TRUE(WaitFor([&] { return has(ID_POWER_AC_PERFORMANCE) && checked(ID_POWER_AC_PERFORMANCE); }, 3000));

    SetMachine([](MachineState& s) { s.externalPower = 0; });
    const DWORD unplugged = GetTickCount();
    EXPECT_TRUE(WaitFor([&] { return has(ID_POWER_BATTERY_BATTERY_LIFE) && checked(ID_POWER_BATTERY_BATTERY_LIFE); },
                        3000));
    // One timer period, and some room for a loaded machine.
    EXPECT_LT(GetTickCount() - unplugged, 2000u);
    EXPECT_FALSE(has(ID_POWER_AC_PERFORMANCE));
}

TEST_F(MerovantEndToEnd, UnknownPageEndsWithNothingShown) {
    first = StartMerovant("/abc");
    ASSERT_TRUE(first);
    DWORD code = 99;
    ASSERT_TRUE(Ended(first, 15000, &code));
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(MainWindow(), nullptr);
}

TEST_F(MerovantEndToEnd, InfraredSwitchOpensThePageAloneAndDisableAsksToRestart) {
    SetMachine([](MachineState& s) { s.infrared = 1; });
    const std::string seamLog = SeamLog();
    HWND page = StartWithSwitch("/3", "Infrared");
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(GetWindow(page, GW_OWNER), nullptr) << "a switch's page has no owner";
    EXPECT_EQ(MainWindow(), nullptr);
    HWND enable = GetDlgItem(page, IDC_INFRARED_ENABLE);
    HWND disable = GetDlgItem(page, IDC_INFRARED_DISABLE);
    EXPECT_EQ(SendMessageA(enable, BM_GETCHECK, 0, 0), BST_CHECKED);

    SendMessageA(disable, BM_CLICK, 0, 0);
    EXPECT_EQ(SendMessageA(disable, BM_GETCHECK, 0, 0), BST_CHECKED);
    ASSERT_NO_FATAL_FAILURE(ConfirmPage(page));

    MachineState state;
    ASSERT_TRUE(control.GetState(state));
    EXPECT_EQ(state.infrared, 0);
    EXPECT_EQ(ReadWholeFile(seamLog), "restart prompt\nrestart\n");
    EXPECT_EQ(MainWindow(), nullptr);
}

TEST_F(MerovantEndToEnd, ParallelPortSwitchWritesEppAfterTheWarningAndAsksToRestart) {
    SetMachine([](MachineState& s) {
        s.parallelPortStatus = 0;
        s.parallelPortMode = 1;
        s.parallelPortDma = 3;
        s.parallelPortWord = 0x0378;
    });
    const std::string seamLog = SeamLog();
    ASSERT_TRUE(control.ClearLog());
    HWND page = StartWithSwitch("/5", "Parallel Port");
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(MainWindow(), nullptr);
    EXPECT_EQ(SendDlgItemMessageA(page, IDC_OPERATING_MODE_LIST, CB_GETCURSEL, 0, 0), 1);
    Select(page, IDC_OPERATING_MODE_LIST, 2);
    ASSERT_NO_FATAL_FAILURE(ConfirmPage(page));

    MachineState state;
    ASSERT_TRUE(control.GetState(state));
    EXPECT_EQ(state.parallelPortMode, 2);
    EXPECT_EQ(state.parallelPortDma, 3);
    EXPECT_EQ(state.parallelPortWord, 0x0378);
    const std::string log = DecodedLog();
    EXPECT_EQ(Count(log, "SetParallPortOpMode"), 1) << log;
    EXPECT_EQ(Count(log, "SetParallelPort"), 0) << log;
    EXPECT_EQ(ReadWholeFile(seamLog),
              "message Make sure I/O base address is set to 378h or 278h ( other than 3BCh ) by BIOS Setup to EPP "
              "port work correctly. \nrestart prompt\nrestart\n");
}

TEST_F(MerovantEndToEnd, PciSwitchReleasesAPinAndWritesEveryPin) {
    SetMachine([](MachineState& s) {
        s.pciPinCount = 3;
        s.pciIrqMask[0] = 0x0C20;
        s.pciIrqAssigned[0] = 1;
        s.pciIrq[0] = 11;
    });
    const std::string seamLog = SeamLog();
    ASSERT_TRUE(control.ClearLog());
    HWND page = StartWithSwitch("/8", "PCI Device Setup");
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(ItemText(page, IDC_PCI_PIN1), "IRQ for PCI Device 1 :");
    EXPECT_EQ(SendDlgItemMessageA(page, IDC_PCI_PIN1_LIST, CB_GETCOUNT, 0, 0), 4);  // 5, 10, 11, None
    EXPECT_EQ(SendDlgItemMessageA(page, IDC_PCI_PIN1_LIST, CB_GETCURSEL, 0, 0), 2);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, IDC_PCI_PIN4_LIST)));
    Select(page, IDC_PCI_PIN1_LIST, 3);
    ASSERT_NO_FATAL_FAILURE(ConfirmPage(page));

    MachineState state;
    ASSERT_TRUE(control.GetState(state));
    EXPECT_EQ(state.pciIrqAssigned[0], 0) << "released";
    EXPECT_EQ(state.pciIrq[1], 10) << "written back as it was";
    const std::string log = DecodedLog();
    EXPECT_EQ(Count(log, "SetPCISteeringIRQ"), 3) << log;
    EXPECT_EQ(ReadWholeFile(seamLog), "restart prompt\nrestart\n");
}

TEST_F(MerovantEndToEnd, SystemInformationSwitchShowsTheMachinesTable) {
    first = StartMerovant("/14");
    ASSERT_TRUE(first);
    HWND page = ShownPage("System Information");
    ASSERT_NE(page, nullptr);
    ASSERT_TRUE(WaitFor([&] { return ItemText(page, IDC_BIOS_VERSION_VALUE) != "*****"; }, 3000));
    EXPECT_EQ(ItemText(page, IDC_BIOS_VERSION_VALUE), "V1.20");
    EXPECT_EQ(ItemText(page, IDC_SYSTEM_UNIT_SERIAL_VALUE), "SU98042179");
    EXPECT_EQ(ItemText(page, IDC_SYSTEM_BOARD_SERIAL_VALUE), "BD98113069");
    EXPECT_EQ(ItemText(page, IDC_MACHINE_MODEL_VALUE), "Notebook 510CT");
    ConfirmPage(page);
}

// The Customize page of the real program, with stand-ins for the tray
// launcher and the fuel gauge: ticked, both are started and get their Startup
// shortcuts; unticked, both are ended and their shortcuts go.
class CustomizeEndToEnd : public MerovantEndToEnd {
protected:
    void SetUp() override {
        MerovantEndToEnd::SetUp();
        ASSERT_TRUE(key.opened());
        HKEY folders = nullptr;
        char folder[MAX_PATH] = "";
        DWORD size = sizeof folder;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", 0,
                          KEY_READ, &folders) == 0) {
            RegQueryValueExA(folders, "Common Startup", nullptr, nullptr, reinterpret_cast<BYTE*>(folder), &size);
            RegCloseKey(folders);
        }
        startup_ = folder;
        ASSERT_FALSE(startup_.empty()) << "the prefix names its all-users Startup folder";
        // Each stand-in is a copy named after its program: the shortcut's path is the command.
        char temp[MAX_PATH];
        GetTempPathA(sizeof temp, temp);
        for (const char* name : {"Fuel", "Taskbar"}) {
            const std::string copy = std::string(temp) + name + ".exe";
            ASSERT_TRUE(CopyFileA(PathBesideProgram("StandInTrayProgram.exe").c_str(), copy.c_str(), FALSE));
            key.Set(name == std::string("Fuel") ? "FuelPath" : "TaskBarPath", copy);
        }
        RemoveLinks();
    }
    void TearDown() override {
        for (const char* title : {"Fuel", "Taskbar"})
            if (HWND window = FindWindowA("StandInTrayProgram", title)) PostMessageA(window, WM_CLOSE, 0, 0);
        RemoveLinks();
        key.Remove("TaskBarId");
        MerovantEndToEnd::TearDown();
    }
    std::string Link(const char* name) const { return startup_ + "\\" + name; }
    void RemoveLinks() const {
        for (const char* link : {"Merovant Configuration.lnk", "Fuel Gauge.lnk"}) DeleteFileA(Link(link).c_str());
    }
    static bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }
    // Opens Customize from the main window's menu; null when it does not show.
    static HWND OpenCustomize() {
        HWND window = MainWindow();
        if (window == nullptr) return nullptr;
        PostMessageA(window, WM_COMMAND, ID_PAGE_CUSTOMIZE, 0);
        HWND page = ShownPage("Customize");
        EXPECT_TRUE(page == nullptr || GetWindow(page, GW_OWNER) == window);
        return page;
    }
    // Clicks the boxes in turn, then OK, and waits for the page to close.
    static void ClickAndOk(HWND page, std::initializer_list<int> boxes) {
        for (int box : boxes) SendDlgItemMessageA(page, box, BM_CLICK, 0, 0);
        PostMessageA(page, WM_COMMAND, IDOK, 0);
        ASSERT_TRUE(WaitFor([&] { return !IsWindow(page); }, 15000));
    }
    // Opens Customize, clicks both boxes, OK.
    static void ToggleBoth() {
        HWND page = OpenCustomize();
        ASSERT_NE(page, nullptr);
        ClickAndOk(page, {IDC_TRAY_LAUNCHER_ICON, IDC_FUEL_GAUGE_ICON});
    }

    // The shared key; the values the page writes are put back afterwards.
    SavedSharedValues key{"CUTray", "FGTray", "TaskBarPath", "FuelPath"};
    std::string startup_;
};

TEST_F(CustomizeEndToEnd, TickingStartsBothWithShortcutsAndUntickingEndsThem) {
    key.Set("CUTray", "0");
    key.Set("FGTray", "0");
    first = StartMerovant("");
    ASSERT_TRUE(first);
    ASSERT_TRUE(WaitFor([] { return MainWindow() != nullptr; }, 15000));

    ToggleBoth();
    HWND fuel = nullptr, taskbar = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (fuel = FindWindowA("StandInTrayProgram", "Fuel")) != nullptr; }, 15000));
    ASSERT_TRUE(WaitFor([&] { return (taskbar = FindWindowA("StandInTrayProgram", "Taskbar")) != nullptr; }, 15000));
    EXPECT_EQ(key.Get("CUTray"), "1");
    EXPECT_EQ(key.Get("FGTray"), "1");
    EXPECT_TRUE(Exists(Link("Merovant Configuration.lnk")));
    EXPECT_TRUE(Exists(Link("Fuel Gauge.lnk")));

    // The tray launcher records its process id when it starts.
    DWORD taskbarId = 0;
    GetWindowThreadProcessId(taskbar, &taskbarId);
    key.SetDword("TaskBarId", taskbarId);
    ToggleBoth();
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(fuel) && !IsWindow(taskbar); }, 5000));
    EXPECT_EQ(key.Get("CUTray"), "0");
    EXPECT_EQ(key.Get("FGTray"), "0");
    EXPECT_FALSE(Exists(Link("Merovant Configuration.lnk")));
    EXPECT_FALSE(Exists(Link("Fuel Gauge.lnk")));
    EXPECT_EQ(FindWindowA("#32770", "Merovant Configuration"), nullptr) << "no message box";
}

// With the real fuel gauge running: a second start, by hand or by ticking
// its box, leaves FGTray to the gauge that runs, so the page shows it ticked.
TEST_F(CustomizeEndToEnd, WithTheGaugeRunningItsBoxIsTickedAndTickingItAgainSticks) {
    key.Set("FuelPath", PathBesideProgram("fuel.exe"));
    key.Set("FGTray", "0");
    StartedProgram gauge = StartProgram(QuotedProgramBeside("fuel.exe"));
    struct EndGauge {
        StartedProgram& gauge;
        ~EndGauge() {
            if (HWND window = FindWindowA("#32770", "Fuel")) PostMessageA(window, WM_CLOSE, 0, 0);
            EndWithin(gauge, 10000);
        }
    } endGauge{gauge};
    ASSERT_TRUE(gauge);
    ASSERT_TRUE(WaitFor([] { return FindWindowA("#32770", "Fuel") != nullptr; }, 20000));
    EXPECT_EQ(key.Get("FGTray"), "1");

    const StartedProgram byHand = StartProgram(QuotedProgramBeside("fuel.exe"));
    ASSERT_TRUE(byHand);
    ASSERT_TRUE(Ended(byHand, 20000)) << "a second start ends";
    EXPECT_EQ(key.Get("FGTray"), "1") << "and leaves the running gauge's value";

    first = StartMerovant("");
    ASSERT_TRUE(first);
    ASSERT_TRUE(WaitFor([] { return MainWindow() != nullptr; }, 15000));
    HWND page = OpenCustomize();
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(IsDlgButtonChecked(page, IDC_FUEL_GAUGE_ICON), BST_CHECKED);
    // Unticked and ticked again, OK starts FuelPath: a second gauge, which ends.
    ClickAndOk(page, {IDC_FUEL_GAUGE_ICON, IDC_FUEL_GAUGE_ICON});
    EXPECT_TRUE(WaitFor([] { return RunningCopies("fuel.exe") == 1; }, 20000)) << "the second gauge ended";
    EXPECT_EQ(key.Get("FGTray"), "1");
    EXPECT_EQ(WaitForSingleObject(gauge.process.get(), 0), static_cast<DWORD>(WAIT_TIMEOUT)) << "the first runs on";
    EXPECT_TRUE(Exists(Link("Fuel Gauge.lnk")));
}

// The real tray launcher, with a TaskBarId that names no process: unticking
// its box ends it all the same, by the window it owns.
TEST_F(CustomizeEndToEnd, UntickingEndsTheRealTrayLauncherWhateverTaskBarIdHolds) {
    key.Set("TaskBarPath", PathBesideProgram("taskbar.exe"));
    StartedProgram taskbar = StartProgram(QuotedProgramBeside("taskbar.exe"));
    ASSERT_TRUE(taskbar);
    struct EndLauncher {
        StartedProgram& taskbar;
        ~EndLauncher() { EndWithin(taskbar, 5000); }
    } endLauncher{taskbar};
    ASSERT_TRUE(WaitFor([&] { return key.GetDword("TaskBarId") == taskbar.id; }, 20000)) << "it has started";
    ASSERT_TRUE(WaitFor([] { return FindWindowA("#32770", "Taskbar") != nullptr; }, 20000));
    key.Set("TaskBarId", std::string(5000, '7'));
    key.Set("CUTray", "1");

    first = StartMerovant("");
    ASSERT_TRUE(first);
    ASSERT_TRUE(WaitFor([] { return MainWindow() != nullptr; }, 15000));
    HWND page = OpenCustomize();
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(IsDlgButtonChecked(page, IDC_TRAY_LAUNCHER_ICON), BST_CHECKED);
    ClickAndOk(page, {IDC_TRAY_LAUNCHER_ICON});
    EXPECT_TRUE(Ended(taskbar, 10000)) << "the tray launcher has ended";
    EXPECT_EQ(key.Get("CUTray"), "0");
    EXPECT_EQ(FindWindowA("#32770", "Merovant Configuration"), nullptr) << "no message box";
}

}  // namespace
