// Panelora under Wine: the shipped Panelora.cpl called through its export as
// the Control Panel calls it, the applet over a translation with long texts,
// and Wine's own Control Panel host starting what "Program" names.
#include <gtest/gtest.h>

#include <windows.h>
#include <cpl.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "common/win32/unique_handle.h"
#include "control_panel_applet/applet/configuration_applet.h"
#include "tests/support/machine_fixture.h"
#include "tests/support/test_log.h"

namespace {

bool WaitFor(const std::function<bool()>& condition, DWORD milliseconds = 15000) {
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > milliseconds) return false;
        Sleep(50);
    }
    return true;
}

struct LoadedApplet {
    LoadedApplet() : library(LoadLibraryA(PathBesideProgram("Panelora.cpl").c_str())) {
        if (library) entry = reinterpret_cast<APPLET_PROC>(reinterpret_cast<void*>(GetProcAddress(library, "CPlApplet")));
    }
    ~LoadedApplet() {
        if (library) FreeLibrary(library);
    }
    HMODULE library;
    APPLET_PROC entry = nullptr;
};

TEST(PaneloraLibrary, AnswersTheControlPanelsMessagesByTheTable) {
    LoadedApplet applet;
    ASSERT_NE(applet.entry, nullptr) << "Panelora.cpl exports CPlApplet";
    HWND window = GetDesktopWindow();
    EXPECT_EQ(applet.entry(window, CPL_INIT, 0, 0), 1);
    EXPECT_EQ(applet.entry(window, CPL_GETCOUNT, 0, 0), 1);

    // A record the host did not clear says afterwards: ask with CPL_NEWINQUIRE.
    CPLINFO info;
    std::memset(&info, 0xCC, sizeof info);
    EXPECT_EQ(applet.entry(window, CPL_INQUIRE, 0, reinterpret_cast<LPARAM>(&info)), 0);
    EXPECT_EQ(info.idIcon, CPL_DYNAMIC_RES);
    EXPECT_EQ(info.idName, CPL_DYNAMIC_RES);
    EXPECT_EQ(info.idInfo, CPL_DYNAMIC_RES);
    EXPECT_EQ(info.lData, 0);

    NEWCPLINFOA described;
    std::memset(&described, 0xCC, sizeof described);
    EXPECT_EQ(applet.entry(window, CPL_NEWINQUIRE, 0, reinterpret_cast<LPARAM>(&described)), 0);
    EXPECT_EQ(described.dwSize, sizeof(NEWCPLINFOA));
    EXPECT_EQ(described.dwFlags, 0u);
    EXPECT_EQ(described.dwHelpContext, 0u);
    EXPECT_EQ(described.lData, 0);
    EXPECT_NE(described.hIcon, nullptr);
    EXPECT_STREQ(described.szName, "Merovant Configuration ");
    EXPECT_STREQ(described.szInfo, "Applet for Merovant Configuration utility");
    EXPECT_STREQ(described.szHelpFile, "");

    EXPECT_EQ(applet.entry(window, CPL_SELECT, 0, 0), 1);
    EXPECT_EQ(applet.entry(window, CPL_STOP, 0, 0), 1);
    EXPECT_EQ(applet.entry(window, CPL_EXIT, 0, 0), 0);
    // Started with parameters, the applet leaves it to CPL_DBLCLK.
    EXPECT_EQ(applet.entry(window, CPL_STARTWPARMSA, 0, reinterpret_cast<LPARAM>("x")), 0);
    EXPECT_EQ(applet.entry(window, CPL_STARTWPARMSW, 0, reinterpret_cast<LPARAM>(L"x")), 0);
    for (UINT other : {0u, 11u, 0x400u}) EXPECT_EQ(applet.entry(window, other, 0, 0), 1) << other;
}

TEST(PaneloraLibrary, EachDoubleClickReadsTheKeyAgainAndStartsProgram) {
    ScratchMachineKey registry;
    const std::string log = PathBesideProgram("command-recorder.log");
    DeleteFileA(log.c_str());
    const std::string recorder = PathBesideProgram("command_recorder.exe");
    registry.SetConfigurationValue("Program", recorder.c_str());
    registry.SetConfigurationValue("CurrentPath", "C:\\");

    LoadedApplet applet;
    ASSERT_NE(applet.entry, nullptr);
    EXPECT_EQ(applet.entry(nullptr, CPL_DBLCLK, 0, 0), 0);
    ASSERT_TRUE(WaitFor([&] { return !ReadWholeFile(log).empty(); }));
    registry.SetConfigurationValue("CurrentPath", "C:\\windows");
    EXPECT_EQ(applet.entry(nullptr, CPL_DBLCLK, 0, 0), 0);
    const std::string expected = "C:\\|" + recorder + "\n" + "C:\\windows|" + recorder + "\n";
    EXPECT_TRUE(WaitFor([&] { return ReadWholeFile(log).size() >= expected.size(); }));
    EXPECT_EQ(ReadWholeFile(log), expected) << "two double clicks, two starts, each with the key as it is then";
}

class RecordingShell final : public AppletShell {
public:
    void StartProgram(const char* commandLine, const char* directory) override {
        started.push_back(std::string(commandLine) + "|" + (directory != nullptr ? directory : "(none)"));
    }
    std::vector<std::string> started;
};

TEST(ConfigurationApplet, ALongTranslationIsCutToTheFields) {
    // This test's own string table holds a 40-character name and a
    // 64-character description.
    RecordingShell shell;
    ConfigurationApplet applet(GetModuleHandleA(nullptr), shell);
    NEWCPLINFOA info;
    std::memset(&info, 0xCC, sizeof info);
    EXPECT_EQ(DispatchAppletMessage(nullptr, CPL_NEWINQUIRE, 0, reinterpret_cast<LPARAM>(&info)), 0);
    EXPECT_STREQ(info.szName, "Merovant Configuration Utility ");
    EXPECT_STREQ(info.szInfo, "Applet for the Merovant Configuration utility a long translatio");
    EXPECT_EQ(std::strlen(info.szInfo), 63u);
}

TEST(ConfigurationApplet, WithoutTheKeyTheStartHasAnEmptyLine) {
    ScratchMachineKey registry;
    RecordingShell shell;
    ConfigurationApplet applet(GetModuleHandleA(nullptr), shell);
    EXPECT_EQ(DispatchAppletMessage(nullptr, CPL_DBLCLK, 0, 0), 0);
    EXPECT_EQ(shell.started, std::vector<std::string>{"|(none)"});
}

// The prefix's shared key, with Program and CurrentPath put back afterwards.
class SharedProgramValues {
public:
    SharedProgramValues() {
        RegCreateKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Merovant\\Configuration Utility", 0, nullptr, 0,
                        KEY_ALL_ACCESS, nullptr, key_.put(), nullptr);
        for (int i = 0; i < 2; ++i) {
            DWORD size = sizeof saved_[i].value;
            saved_[i].present = RegQueryValueExA(key_.get(), kNames[i], nullptr, nullptr,
                                                 reinterpret_cast<BYTE*>(saved_[i].value), &size) == ERROR_SUCCESS;
        }
    }
    ~SharedProgramValues() {
        for (int i = 0; i < 2; ++i) {
            if (saved_[i].present)
                Set(kNames[i], saved_[i].value);
            else
                RegDeleteValueA(key_.get(), kNames[i]);
        }
    }
    void Set(const char* name, const std::string& value) {
        RegSetValueExA(key_.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>(value.size() + 1));
    }

private:
    static constexpr const char* kNames[2] = {"Program", "CurrentPath"};
    struct {
        bool present;
        char value[256];
    } saved_[2] = {};
    UniqueRegistryKey key_;
};

TEST(PaneloraInTheControlPanel, WinesControlPanelStartsProgramFromTheKey) {
    SharedProgramValues values;
    const std::string log = PathBesideProgram("command-recorder.log");
    DeleteFileA(log.c_str());
    const std::string recorder = PathBesideProgram("command_recorder.exe");
    std::string folder = PathBesideProgram("");
    folder.pop_back();
    values.Set("Program", recorder + " /from-the-key");
    values.Set("CurrentPath", folder);

    // "control FILE.cpl" loads the library and opens its only applet.
    std::string line = "control.exe \"" + PathBesideProgram("Panelora.cpl") + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    ASSERT_TRUE(CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info));
    UniqueKernelHandle process(info.hProcess), thread(info.hThread);
    EXPECT_EQ(WaitForSingleObject(process.get(), 30000), WAIT_OBJECT_0);
    const std::string expected = folder + "|" + recorder + " /from-the-key\n";
    EXPECT_TRUE(WaitFor([&] { return ReadWholeFile(log).size() >= expected.size(); }));
    EXPECT_EQ(ReadWholeFile(log), expected);
}

}  // namespace
