// Panelora under Wine: the shipped Panelora.cpl called through its export as
// the Control Panel calls it, the applet over a translation with long texts,
// and Wine's own Control Panel host starting what "Program" names.
#include <gtest/gtest.h>

#include <windows.h>
#include <cpl.h>

#include <cstring>
#include <string>
#include <vector>

#include "control_panel_applet/applet/configuration_applet.h"
#include "tests/support/console_program.h"
#include "tests/support/loaded_applet.h"
#include "tests/support/machine_fixture.h"
#include "tests/support/program_run.h"
#include "tests/support/registry_value.h"
#include "tests/support/test_log.h"
#include "tests/support/wait_for.h"

namespace {

TEST(PaneloraLibrary, AnswersTheControlPanelsMessagesByTheTable) {
    LoadedApplet applet(PathBesideProgram("Panelora.cpl"));
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
    const CommandRecorder recorder = FreshCommandRecorder();
    registry.SetConfigurationValue("Program", recorder.program.c_str());
    registry.SetConfigurationValue("CurrentPath", "C:\\");

    LoadedApplet applet(PathBesideProgram("Panelora.cpl"));
    ASSERT_NE(applet.entry, nullptr);
    EXPECT_EQ(applet.entry(nullptr, CPL_DBLCLK, 0, 0), 0);
    ASSERT_TRUE(WaitFor([&] { return !ReadWholeFile(recorder.log).empty(); }));
    registry.SetConfigurationValue("CurrentPath", "C:\\windows");
    EXPECT_EQ(applet.entry(nullptr, CPL_DBLCLK, 0, 0), 0);
    const std::string expected = "C:\\|" + recorder.program + "\n" + "C:\\windows|" + recorder.program + "\n";
    EXPECT_TRUE(WaitFor([&] { return ReadWholeFile(recorder.log).size() >= expected.size(); }));
    EXPECT_EQ(ReadWholeFile(recorder.log), expected)
        << "two double clicks, two starts, each with the key as it is then";
}

class RecordingShell final : public PaneloraShell {
public:
    bool StartProgram(const char* commandLine, const char* directory) override {
        started.push_back(std::string(commandLine) + "|" + (directory != nullptr ? directory : "(none)"));
        return startSucceeds;
    }
    int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT) override {
        messages.push_back(caption + ": " + text);
        owners.push_back(owner);
        return IDOK;
    }
    std::vector<std::string> started;
    std::vector<std::string> messages;
    std::vector<HWND> owners;
    bool startSucceeds = true;  // false: as for a program that does not exist
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

TEST(ConfigurationApplet, AProgramThatStartsNothingIsSaidOverTheControlPanel) {
    // The shipped library's own texts.
    LoadedApplet library(PathBesideProgram("Panelora.cpl"));
    ASSERT_NE(library.library, nullptr);
    const std::string message =
        "Merovant Configuration : Merovant Configuration cannot be started: its program is not installed or cannot "
        "be found. Please install Merovant Configuration again.";
    ScratchMachineKey registry;
    RecordingShell shell;
    ConfigurationApplet applet(library.library, shell);
    HWND controlPanel = GetDesktopWindow();

    // No shared key at all, an empty "Program", one that starts nothing.
    EXPECT_EQ(DispatchAppletMessage(controlPanel, CPL_DBLCLK, 0, 0), 0);
    registry.SetConfigurationValue("Program", "");
    EXPECT_EQ(DispatchAppletMessage(controlPanel, CPL_DBLCLK, 0, 0), 0);
    EXPECT_TRUE(shell.started.empty()) << "nothing to start";
    registry.SetConfigurationValue("Program", "C:\\Merovant\\gone.exe");
    shell.startSucceeds = false;
    EXPECT_EQ(DispatchAppletMessage(controlPanel, CPL_DBLCLK, 0, 0), 0);
    EXPECT_EQ(shell.started, std::vector<std::string>{"C:\\Merovant\\gone.exe|(none)"});
    EXPECT_EQ(shell.messages, std::vector<std::string>(3, message));
    EXPECT_EQ(shell.owners, std::vector<HWND>(3, controlPanel));

    shell.startSucceeds = true;
    EXPECT_EQ(DispatchAppletMessage(controlPanel, CPL_DBLCLK, 0, 0), 0);
    EXPECT_EQ(shell.messages.size(), 3u) << "a program that starts says nothing";
}

TEST(PaneloraInTheControlPanel, WinesControlPanelStartsProgramFromTheKey) {
    SavedSharedValues values{"Program", "CurrentPath"};
    const CommandRecorder recorder = FreshCommandRecorder();
    const std::string folder = FolderOfProgram();
    values.Set("Program", recorder.program + " /from-the-key");
    values.Set("CurrentPath", folder);

    // "control FILE.cpl" loads the library and opens its only applet.
    const StartedProgram control = StartProgram("control.exe " + QuotedProgramBeside("Panelora.cpl"));
    ASSERT_TRUE(control);
    EXPECT_TRUE(Ended(control, 30000));
    const std::string expected = folder + "|" + recorder.program + " /from-the-key\n";
    EXPECT_TRUE(WaitFor([&] { return ReadWholeFile(recorder.log).size() >= expected.size(); }));
    EXPECT_EQ(ReadWholeFile(recorder.log), expected);
}

}  // namespace
