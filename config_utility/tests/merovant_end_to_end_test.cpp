// End to end under Wine: the real merovant.exe on the virtual notebook's
// driver, several processes together.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <optional>
#include <string>
#include <vector>

#include "common/win32/configuration_key.h"
#include "common/win32/unique_handle.h"
#include "tests/support/console_program.h"
#include "tests/support/test_log.h"
#include "resources/merovant/resource.h"
#include "simulator/machinesim/control_device.h"

namespace {

constexpr char kTitle[] = "Merovant Configuration";

// merovant.exe beside this test, started with arguments.
struct Started {
    UniqueKernelHandle process;
    bool ok = false;
};

Started StartMerovant(const std::string& arguments, const char* image = "merovant.exe") {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string program(path, length);
    program = program.substr(0, program.rfind('\\') + 1) + image;
    std::string command = "\"" + program + "\" " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    Started started;
    started.ok = CreateProcessA(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                &startup, &info) != 0;
    if (started.ok) {
        CloseHandle(info.hThread);
        started.process.reset(info.hProcess);
    }
    return started;
}

// Polls until condition holds or milliseconds have passed.
template <typename Condition>
bool WaitFor(Condition condition, DWORD milliseconds) {
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > milliseconds) return false;
        Sleep(50);
    }
    return true;
}

// The virtual notebook's request log as `machinesim log --decode` prints it.
std::string DecodedLog() {
    std::string output;
    DWORD code = 99;
    if (!RunProgramBeside("machinesim.exe", "log --decode", &output, &code) || code != 0) return "";
    return output;
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

std::string ItemText(HWND page, int control) {
    char text[256] = "";
    GetDlgItemTextA(page, control, text, sizeof text);
    return text;
}

bool Exited(const Started& s, DWORD milliseconds, DWORD& code) {
    if (WaitForSingleObject(s.process.get(), milliseconds) != WAIT_OBJECT_0) return false;
    return GetExitCodeProcess(s.process.get(), &code) != 0;
}

class MerovantEndToEnd : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(control.Open()) << "the virtual notebook's driver is not running in this prefix";
        ASSERT_TRUE(control.GetState(saved_));
    }
    void TearDown() override {
        for (Started* s : {&first, &second}) {
            if (!s->process) continue;
            if (HWND window = FindWindowA(nullptr, kTitle)) PostMessageA(window, WM_CLOSE, 0, 0);
            if (WaitForSingleObject(s->process.get(), 5000) != WAIT_OBJECT_0) TerminateProcess(s->process.get(), 1);
        }
        control.SetState(saved_);
    }
    static HWND MainWindow() { return FindWindowA(nullptr, kTitle); }
    void SetMachine(void (*change)(MachineState&)) {
        MachineState state;
        ASSERT_TRUE(control.GetState(state));
        change(state);
        ASSERT_TRUE(control.SetState(state));
    }

    ControlDevice control;
    Started first, second;

private:
    MachineState saved_;
};

TEST_F(MerovantEndToEnd, SecondInstanceRestoresTheMinimisedFirstWindowAndEnds) {
    first = StartMerovant("");
    ASSERT_TRUE(first.ok);
    ASSERT_TRUE(WaitFor([] { return MainWindow() != nullptr; }, 15000));
    HWND window = MainWindow();
    ShowWindow(window, SW_MINIMIZE);
    ASSERT_TRUE(WaitFor([&] { return IsIconic(window) != 0; }, 3000));

    second = StartMerovant("/DISPLAY");
    ASSERT_TRUE(second.ok);
    DWORD code = 99;
    ASSERT_TRUE(Exited(second, 15000, code));
    EXPECT_EQ(code, 0u);
    EXPECT_TRUE(WaitFor([&] { return !IsIconic(window) && IsWindowVisible(window); }, 3000));
    EXPECT_EQ(MainWindow(), window) << "still one main window";
}

TEST_F(MerovantEndToEnd, UnpluggingSwapsTheToolbarWithinASecond) {
    SetMachine([](MachineState& s) {
        s.externalPower = 1;
        s.powerMode[1] = 0;
        s.powerMode[2] = 1;
    });
    first = StartMerovant("");
    ASSERT_TRUE(first.ok);
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
    ASSERT_TRUE(first.ok);
    DWORD code = 99;
    ASSERT_TRUE(Exited(first, 15000, code));
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(MainWindow(), nullptr);
}

TEST_F(MerovantEndToEnd, InfraredSwitchOpensThePageAloneAndDisableAsksToRestart) {
    SetMachine([](MachineState& s) { s.infrared = 1; });
    const std::string seamLog = PathBesideProgram("merovant-seam.log");
    DeleteFileA(seamLog.c_str());
    first = StartMerovant("/3", "MerovantUnderTest.exe");
    ASSERT_TRUE(first.ok);
    HWND page = nullptr;
    // Shown once its opening is done.
    ASSERT_TRUE(WaitFor([&] { return (page = FindWindowA("#32770", "Infrared")) != nullptr && IsWindowVisible(page); }, 15000));
    EXPECT_EQ(GetWindow(page, GW_OWNER), nullptr) << "a switch's page has no owner";
    EXPECT_EQ(MainWindow(), nullptr);
    HWND enable = GetDlgItem(page, IDC_INFRARED_ENABLE);
    HWND disable = GetDlgItem(page, IDC_INFRARED_DISABLE);
    EXPECT_EQ(SendMessageA(enable, BM_GETCHECK, 0, 0), BST_CHECKED);

    SendMessageA(disable, BM_CLICK, 0, 0);
    EXPECT_EQ(SendMessageA(disable, BM_GETCHECK, 0, 0), BST_CHECKED);
    PostMessageA(page, WM_COMMAND, IDOK, 0);
    DWORD code = 99;
    ASSERT_TRUE(Exited(first, 15000, code)) << "the program ends with its page";
    EXPECT_EQ(code, 0u);

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
    const std::string seamLog = PathBesideProgram("merovant-seam.log");
    DeleteFileA(seamLog.c_str());
    ASSERT_TRUE(control.ClearLog());
    first = StartMerovant("/5", "MerovantUnderTest.exe");
    ASSERT_TRUE(first.ok);
    HWND page = nullptr;
    // Shown once its opening is done.
    ASSERT_TRUE(WaitFor([&] { return (page = FindWindowA("#32770", "Parallel Port")) != nullptr && IsWindowVisible(page); }, 15000));
    EXPECT_EQ(MainWindow(), nullptr);
    EXPECT_EQ(SendDlgItemMessageA(page, IDC_OPERATING_MODE_LIST, CB_GETCURSEL, 0, 0), 1);
    Select(page, IDC_OPERATING_MODE_LIST, 2);
    PostMessageA(page, WM_COMMAND, IDOK, 0);
    DWORD code = 99;
    ASSERT_TRUE(Exited(first, 15000, code)) << "the program ends with its page";
    EXPECT_EQ(code, 0u);

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
    const std::string seamLog = PathBesideProgram("merovant-seam.log");
    DeleteFileA(seamLog.c_str());
    ASSERT_TRUE(control.ClearLog());
    first = StartMerovant("/8", "MerovantUnderTest.exe");
    ASSERT_TRUE(first.ok);
    HWND page = nullptr;
    // Shown once its opening is done.
    ASSERT_TRUE(WaitFor([&] { return (page = FindWindowA("#32770", "PCI Device Setup")) != nullptr && IsWindowVisible(page); }, 15000));
    EXPECT_EQ(ItemText(page, IDC_PCI_PIN1), "IRQ for PCI Device 1 :");
    EXPECT_EQ(SendDlgItemMessageA(page, IDC_PCI_PIN1_LIST, CB_GETCOUNT, 0, 0), 4);  // 5, 10, 11, None
    EXPECT_EQ(SendDlgItemMessageA(page, IDC_PCI_PIN1_LIST, CB_GETCURSEL, 0, 0), 2);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, IDC_PCI_PIN4_LIST)));
    Select(page, IDC_PCI_PIN1_LIST, 3);
    PostMessageA(page, WM_COMMAND, IDOK, 0);
    DWORD code = 99;
    ASSERT_TRUE(Exited(first, 15000, code));
    EXPECT_EQ(code, 0u);

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
    ASSERT_TRUE(first.ok);
    HWND page = nullptr;
    // Shown once its opening is done.
    ASSERT_TRUE(WaitFor([&] { return (page = FindWindowA("#32770", "System Information")) != nullptr && IsWindowVisible(page); }, 15000));
    ASSERT_TRUE(WaitFor([&] { return ItemText(page, IDC_BIOS_VERSION_VALUE) != "*****"; }, 3000));
    EXPECT_EQ(ItemText(page, IDC_BIOS_VERSION_VALUE), "V1.20");
    EXPECT_EQ(ItemText(page, IDC_SYSTEM_UNIT_SERIAL_VALUE), "SU9804217");
    EXPECT_EQ(ItemText(page, IDC_SYSTEM_BOARD_SERIAL_VALUE), "BD9811306");
    EXPECT_EQ(ItemText(page, IDC_MACHINE_MODEL_VALUE), "Notebook 510CT");
    PostMessageA(page, WM_COMMAND, IDOK, 0);
    DWORD code = 99;
    ASSERT_TRUE(Exited(first, 15000, code));
    EXPECT_EQ(code, 0u);
}

// The Customize page of the real program, with stand-ins for the tray
// launcher and the fuel gauge: ticked, both are started and get their Startup
// shortcuts; unticked, both are ended and their shortcuts go.
class CustomizeEndToEnd : public MerovantEndToEnd {
protected:
    static constexpr const char* kValues[] = {"CUTray", "FGTray", "TaskBarPath", "FuelPath"};
    void SetUp() override {
        MerovantEndToEnd::SetUp();
        ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Merovant\\Configuration Utility", 0, nullptr, 0,
                                  KEY_ALL_ACCESS, nullptr, key_.put(), nullptr),
                  ERROR_SUCCESS);
        for (const char* name : kValues) {
            saved_.emplace_back();
            DWORD size = sizeof buffer_;
            if (RegQueryValueExA(key_.get(), name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer_), &size) == 0)
                saved_.back() = std::string(buffer_);
            else
                saved_.back() = std::nullopt;
        }
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
            Set(name == std::string("Fuel") ? "FuelPath" : "TaskBarPath", copy);
        }
        RemoveLinks();
    }
    void TearDown() override {
        for (const char* title : {"Fuel", "Taskbar"})
            if (HWND window = FindWindowA("StandInTrayProgram", title)) PostMessageA(window, WM_CLOSE, 0, 0);
        RemoveLinks();
        RegDeleteValueA(key_.get(), "TaskBarId");
        for (std::size_t i = 0; i < saved_.size(); ++i) {
            if (saved_[i])
                Set(kValues[i], *saved_[i]);
            else
                RegDeleteValueA(key_.get(), kValues[i]);
        }
        MerovantEndToEnd::TearDown();
    }
    void Set(const char* name, const std::string& value) {
        RegSetValueExA(key_.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>(value.size() + 1));
    }
    std::string Get(const char* name) {
        DWORD size = sizeof buffer_;
        buffer_[0] = 0;
        if (RegQueryValueExA(key_.get(), name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer_), &size) != 0) return "";
        return buffer_;
    }
    std::string Link(const char* name) const { return startup_ + "\\" + name; }
    void RemoveLinks() const {
        for (const char* link : {"Merovant Configuration.lnk", "Fuel Gauge.lnk"}) DeleteFileA(Link(link).c_str());
    }
    static bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }
    // Opens Customize from the main window's menu, clicks both boxes, OK.
    void ToggleBoth() {
        HWND window = MainWindow();
        ASSERT_NE(window, nullptr);
        PostMessageA(window, WM_COMMAND, ID_PAGE_CUSTOMIZE, 0);
        HWND page = nullptr;
        ASSERT_TRUE(
            WaitFor([&] { return (page = FindWindowA("#32770", "Customize")) != nullptr && IsWindowVisible(page); }, 15000));
        EXPECT_EQ(GetWindow(page, GW_OWNER), window);
        SendDlgItemMessageA(page, IDC_TRAY_LAUNCHER_ICON, BM_CLICK, 0, 0);
        SendDlgItemMessageA(page, IDC_FUEL_GAUGE_ICON, BM_CLICK, 0, 0);
        PostMessageA(page, WM_COMMAND, IDOK, 0);
        ASSERT_TRUE(WaitFor([&] { return !IsWindow(page); }, 15000));
    }

    UniqueRegistryKey key_;
    std::vector<std::optional<std::string>> saved_;
    char buffer_[256] = "";
    std::string startup_;
};

TEST_F(CustomizeEndToEnd, TickingStartsBothWithShortcutsAndUntickingEndsThem) {
    Set("CUTray", "0");
    Set("FGTray", "0");
    first = StartMerovant("");
    ASSERT_TRUE(first.ok);
    ASSERT_TRUE(WaitFor([] { return MainWindow() != nullptr; }, 15000));

    ToggleBoth();
    HWND fuel = nullptr, taskbar = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (fuel = FindWindowA("StandInTrayProgram", "Fuel")) != nullptr; }, 15000));
    ASSERT_TRUE(WaitFor([&] { return (taskbar = FindWindowA("StandInTrayProgram", "Taskbar")) != nullptr; }, 15000));
    EXPECT_EQ(Get("CUTray"), "1");
    EXPECT_EQ(Get("FGTray"), "1");
    EXPECT_TRUE(Exists(Link("Merovant Configuration.lnk")));
    EXPECT_TRUE(Exists(Link("Fuel Gauge.lnk")));

    // The tray launcher records its process id when it starts.
    DWORD taskbarId = 0;
    GetWindowThreadProcessId(taskbar, &taskbarId);
    RegSetValueExA(key_.get(), "TaskBarId", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&taskbarId), sizeof taskbarId);
    ToggleBoth();
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(fuel) && !IsWindow(taskbar); }, 5000));
    EXPECT_EQ(Get("CUTray"), "0");
    EXPECT_EQ(Get("FGTray"), "0");
    EXPECT_FALSE(Exists(Link("Merovant Configuration.lnk")));
    EXPECT_FALSE(Exists(Link("Fuel Gauge.lnk")));
    EXPECT_EQ(FindWindowA("#32770", "Merovant Configuration"), nullptr) << "no message box";
}

}  // namespace
