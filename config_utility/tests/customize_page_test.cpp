// The Customize page with stand-ins for the tray launcher ("Taskbar") and the
// fuel gauge ("Fuel"): the registry values, the Startup-folder shortcuts and
// the programs started and ended on OK.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "common/win32/configuration_key.h"
#include "common/win32/controls.h"
#include "config_utility/pages/page_commands.h"
#include "config_utility/tests/merovant_test_fixture.h"
#include "config_utility/tests/page_script.h"
#include "resources/merovant/resource.h"
#include "tests/support/console_program.h"
#include "tests/support/program_run.h"
#include "tests/support/stand_in_window.h"
#include "tests/support/test_log.h"

namespace {

constexpr char kTrayLauncherLink[] = "Merovant Configuration.lnk";
constexpr char kFuelGaugeLink[] = "Fuel Gauge.lnk";


void WriteText(const std::string& path, const std::string& text) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
}

// The Unix path of a Windows path of the prefix (Wine's own export).
std::string UnixPath(const std::string& path) {
    using ToUnix = char*(__cdecl*)(const WCHAR*);
    const auto toUnix = reinterpret_cast<ToUnix>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    WCHAR wide[MAX_PATH];
    if (toUnix == nullptr || MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH) == 0) return {};
    char* unix = toUnix(wide);
    if (unix == nullptr) return {};
    std::string result(unix);
    HeapFree(GetProcessHeap(), 0, unix);
    return result;
}

// What lnkinfo (liblnk-utils, a Linux program) reads in the shortcut at path:
// Wine starts Linux programs too, but gives no handle to wait on, so a shell
// writes lnkinfo's output and then a file that says it is done.
std::string LnkInfo(const std::string& path) {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    const std::string script = std::string(temp) + "merovant-lnkinfo.sh";
    const std::string output = std::string(temp) + "merovant-lnkinfo.txt";
    const std::string done = output + ".done";
    DeleteFileA(output.c_str());
    DeleteFileA(done.c_str());
    WriteText(script, "lnkinfo '" + UnixPath(path) + "' > '" + UnixPath(output) + "' 2>&1\necho $? > '" +
                          UnixPath(output) + ".done'\n");
    std::string command = "/bin/sh " + UnixPath(script);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        return "lnkinfo could not be started";
    for (int i = 0; i < 300 && ReadWholeFile(done).empty(); ++i) Sleep(100);
    if (ReadWholeFile(done) != "0\n") return "lnkinfo failed: " + ReadWholeFile(output);
    return ReadWholeFile(output);
}

class CustomizePageTest : public testing::Test {
protected:
    void SetUp() override {
        char temp[MAX_PATH];
        GetTempPathA(sizeof temp, temp);
        startup = std::string(temp) + "merovant-startup";
        CreateDirectoryA(startup.c_str(), nullptr);
        for (const char* link : {kTrayLauncherLink, kFuelGaugeLink}) DeleteFileA(Link(link).c_str());
        HKEY folders = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                                  0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &folders, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExA(folders, "Common Startup", 0, REG_SZ, reinterpret_cast<const BYTE*>(startup.c_str()),
                       static_cast<DWORD>(startup.size() + 1));
        RegCloseKey(folders);
        registry.SetConfigurationValue("TaskBarPath", "C:\\Merovant\\taskbar.exe");
        registry.SetConfigurationValue("FuelPath", fuelPath.c_str());
    }
    void TearDown() override {
        for (const char* link : {kTrayLauncherLink, kFuelGaugeLink}) DeleteFileA(Link(link).c_str());
        RemoveDirectoryA(startup.c_str());
    }
    std::string Link(const char* name) const { return startup + "\\" + name; }
    static bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }
    static std::string Value(const char* name) {
        ConfigurationKey key;
        char value[kConfigurationValueSize] = "";
        if (key.Open()) key.ReadString(name, value);
        return value;
    }
    static void SetTaskBarId(DWORD id) {
        ConfigurationKey key;
        ASSERT_TRUE(key.Open());
        ASSERT_TRUE(key.WriteDword("TaskBarId", id));
    }
    // Opens the page from its menu command's row, clicks, and presses OK.
    void ClickAndOk(const std::vector<int>& clicks, std::vector<bool>* opened = nullptr) {
        script.Then([&, opened](HWND dialog) {
            if (opened != nullptr)
                *opened = {IsItemChecked(dialog, IDC_TRAY_LAUNCHER_ICON), IsItemChecked(dialog, IDC_FUEL_GAUGE_ICON)};
            for (int box : clicks) Click(dialog, box);
            Click(dialog, IDOK);
        });
        const PageCommand* row = FindPageCommand(ID_PAGE_CUSTOMIZE);
        ASSERT_NE(row, nullptr);
        ASSERT_NE(row->open, nullptr);
        row->open(context, nullptr);
    }

    ScratchMachineKey registry;
    RecordingShell shell;
    MerovantContext context{GetModuleHandleA(nullptr), shell, {}, {}};
    PageScript script;
    std::string startup;
    const std::string fuelPath = PathBesideProgram("StandInTrayProgram.exe");
};

TEST_F(CustomizePageTest, OpensWithTheBoxesOfTheValuesThatRead1) {
    struct Case {
        const char* taskbar;  // nullptr: no value
        const char* fuel;
        std::vector<bool> checked;
    };
    const Case cases[] = {
        {"1", "1", {true, true}},
        {"0", "1", {false, true}},
        {"1", "yes", {true, false}},
        {nullptr, nullptr, {false, false}},
    };
    for (const Case& c : cases) {
        ScratchMachineKey fresh;
        if (c.taskbar) fresh.SetConfigurationValue("CUTray", c.taskbar);
        if (c.fuel) fresh.SetConfigurationValue("FGTray", c.fuel);
        std::vector<bool> opened;
        script.Then([&](HWND dialog) {
            EXPECT_EQ(WindowText(dialog), "Customize");
            EXPECT_EQ(WindowText(GetDlgItem(dialog, IDC_TRAY_LAUNCHER_ICON)),
                      "Add Merovant Configuration icon on task bar");
            EXPECT_EQ(WindowText(GetDlgItem(dialog, IDC_FUEL_GAUGE_ICON)), "Add Fuel Gauge icon on task bar");
            opened = {IsItemChecked(dialog, IDC_TRAY_LAUNCHER_ICON), IsItemChecked(dialog, IDC_FUEL_GAUGE_ICON)};
            Click(dialog, IDCANCEL);
        });
        FindPageCommand(ID_PAGE_CUSTOMIZE)->open(context, nullptr);
        EXPECT_EQ(opened, c.checked) << (c.taskbar ? c.taskbar : "-") << " " << (c.fuel ? c.fuel : "-");
    }
}

TEST_F(CustomizePageTest, OkWithoutAChangeDoesNothing) {
    registry.SetConfigurationValue("CUTray", "1");
    registry.SetConfigurationValue("FGTray", "0");
    StandInWindow fuel(PathBesideProgram("StandInTrayProgram.exe"), "Fuel");
    ASSERT_TRUE(fuel.running());
    ClickAndOk({});
    EXPECT_EQ(Value("CUTray"), "1");
    EXPECT_EQ(Value("FGTray"), "0");
    EXPECT_FALSE(Exists(Link(kTrayLauncherLink)));
    EXPECT_EQ(shell.started, std::vector<std::string>{});
    EXPECT_EQ(fuel.ExitCode(300), STILL_ACTIVE);
}

TEST_F(CustomizePageTest, UntickingFuelWrites0DeletesItsShortcutAndClosesIt) {
    registry.SetConfigurationValue("FGTray", "1");
    WriteText(Link(kFuelGaugeLink), "an earlier shortcut");
    StandInWindow fuel(PathBesideProgram("StandInTrayProgram.exe"), "Fuel");
    ASSERT_TRUE(fuel.running());
    std::vector<bool> opened;
    ClickAndOk({IDC_FUEL_GAUGE_ICON}, &opened);
    EXPECT_EQ(opened, (std::vector<bool>{false, true}));
    EXPECT_EQ(Value("FGTray"), "0");
    EXPECT_FALSE(Exists(Link(kFuelGaugeLink)));
    EXPECT_EQ(fuel.ExitCode(5000), 7u) << "closed by WM_CLOSE";
    EXPECT_EQ(shell.started, std::vector<std::string>{});
}

TEST_F(CustomizePageTest, TickingTheTrayLauncherKeepsAnExistingShortcutAndStartsIt) {
    registry.SetConfigurationValue("CUTray", "0");
    const std::string link = Link(kTrayLauncherLink);
    WriteText(link, "mine");
    ClickAndOk({IDC_TRAY_LAUNCHER_ICON});
    EXPECT_EQ(Value("CUTray"), "1");
    EXPECT_EQ(ReadWholeFile(link), "mine") << "left untouched";
    EXPECT_EQ(shell.started, std::vector<std::string>{"C:\\Merovant\\taskbar.exe"});
}

TEST_F(CustomizePageTest, TickingFuelMakesAShortcutThatAnotherToolReads) {
    registry.SetConfigurationValue("FGTray", "0");
    ClickAndOk({IDC_FUEL_GAUGE_ICON});
    EXPECT_EQ(Value("FGTray"), "1");
    EXPECT_EQ(shell.started, std::vector<std::string>{fuelPath});
    ASSERT_TRUE(Exists(Link(kFuelGaugeLink)));
    const std::string output = LnkInfo(Link(kFuelGaugeLink));
    EXPECT_NE(output.find("Description\t\t\t: Shortcut to Fuel Gauge\n"), std::string::npos) << output;
    EXPECT_NE(output.find("Local path\t\t\t: " + fuelPath + "\n"), std::string::npos) << output;
}

TEST_F(CustomizePageTest, UntickingTheTrayLauncherEndsTheProcessThatOwnsItsWindowWhateverTaskBarIdSays) {
    // TaskBarId: the launcher's own id, another program's (stale), a string
    // of 5,000 characters, or none at all.
    enum class Id { kOwn, kOther, kLongString, kNone };
    struct Case {
        Id id;
        bool stays;     // the launcher lets WM_DESTROY pass: only its end stops it
        DWORD exitCode; // 7: ended by its WM_DESTROY; 0: ended by TerminateProcess
    };
    const Case cases[] = {
        {Id::kOwn, true, 0},        {Id::kOther, true, 0}, {Id::kLongString, true, 0},
        {Id::kNone, true, 0},       {Id::kLongString, false, 7},
    };
    for (const Case& c : cases) {
        const int row = static_cast<int>(&c - cases);
        registry.RemoveConfigurationValue("TaskBarId");
        registry.SetConfigurationValue("CUTray", "1");
        StandInWindow taskbar(PathBesideProgram("StandInTrayProgram.exe"), "Taskbar", c.stays ? "stay" : "");
        StandInWindow other(PathBesideProgram("StandInTrayProgram.exe"), "Notepad");
        ASSERT_TRUE(taskbar.running()) << row;
        ASSERT_TRUE(other.running()) << row;
        if (c.id == Id::kOwn) SetTaskBarId(taskbar.id());
        if (c.id == Id::kOther) SetTaskBarId(other.id());
        if (c.id == Id::kLongString) registry.SetConfigurationValue("TaskBarId", std::string(5000, '7').c_str());
        shell.messages.clear();
        ClickAndOk({IDC_TRAY_LAUNCHER_ICON});
        EXPECT_EQ(Value("CUTray"), "0") << row;
        EXPECT_EQ(taskbar.ExitCode(5000), c.exitCode) << row;
        EXPECT_EQ(other.ExitCode(0), STILL_ACTIVE) << row << ": never the program a stale id names";
        EXPECT_EQ(shell.messages, std::vector<std::string>{}) << row;
    }
}

TEST_F(CustomizePageTest, TickingAProgramThatCannotBeStartedSaysSoAndRecordsNothing) {
    const std::string trayMessage =
        "The Merovant Configuration icon cannot be added to the task bar: its program is not installed or cannot be "
        "found. The setting is not changed. Please install Merovant Configuration again.";
    const std::string fuelMessage =
        "The Fuel Gauge icon cannot be added to the task bar: its program is not installed or cannot be found. The "
        "setting is not changed. Please install Merovant Configuration again.";
    struct Case {
        const char* path;  // TaskBarPath and FuelPath; nullptr: no values
        bool startSucceeds;
        std::vector<std::string> started;
    };
    const std::string tooLong(300, 'x');
    const Case cases[] = {
        {nullptr, true, {}},
        {"", true, {}},
        {tooLong.c_str(), true, {}},
        {"C:\\Merovant\\gone.exe", false, {"C:\\Merovant\\gone.exe", "C:\\Merovant\\gone.exe"}},
    };
    for (const Case& c : cases) {
        const std::string label = c.path ? std::string(c.path).substr(0, 20) : "(none)";
        registry.SetConfigurationValue("CUTray", "0");
        registry.SetConfigurationValue("FGTray", "0");
        for (const char* value : {"TaskBarPath", "FuelPath"}) {
            if (c.path != nullptr)
                registry.SetConfigurationValue(value, c.path);
            else
                registry.RemoveConfigurationValue(value);
        }
        shell.startSucceeds = c.startSucceeds;
        shell.started.clear();
        shell.messages.clear();
        ClickAndOk({IDC_TRAY_LAUNCHER_ICON, IDC_FUEL_GAUGE_ICON});
        EXPECT_EQ(shell.started, c.started) << label;
        EXPECT_EQ(shell.messages, (std::vector<std::string>{trayMessage, fuelMessage})) << label;
        EXPECT_EQ(Value("CUTray"), "0") << label;
        EXPECT_EQ(Value("FGTray"), "0") << label;
        EXPECT_FALSE(Exists(Link(kTrayLauncherLink))) << label << ": no shortcut that starts nothing";
        EXPECT_FALSE(Exists(Link(kFuelGaugeLink))) << label;
    }
}

}  // namespace
