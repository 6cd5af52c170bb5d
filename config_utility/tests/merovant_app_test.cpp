// Start-up: the single-instance rule and the page switches.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <memory>
#include <thread>

#include "common/win32/unique_handle.h"
#include "config_utility/frame/main_frame.h"
#include "config_utility/app/merovant_app.h"
#include "config_utility/tests/merovant_test_fixture.h"
#include "machine_control/core/machine_operations.h"
#include "tests/support/help_files.h"
#include "tests/support/test_log.h"

namespace {

// Closes the main window from inside the program's message loop.
void CALLBACK CloseMainWindow(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    PostMessageA(FindWindowA(nullptr, "Merovant Configuration"), WM_CLOSE, 0, 0);
}

class MerovantAppTest : public testing::Test {
protected:
    int Run(std::vector<const char*> arguments) {
        return RunMerovant(GetModuleHandleA(nullptr), arguments.size(), arguments.data(), SW_SHOWNOACTIVATE,
                           shell);
    }
    static HWND MainWindow() { return FindWindowA(nullptr, "Merovant Configuration"); }

    std::unique_ptr<MachineModel> model = std::make_unique<MachineModel>();
    FailingModelTransport transport{*model};
    ScratchMachineKey registry;
    RecordingShell shell;
};

TEST_F(MerovantAppTest, PageSwitchesActWithoutAWindow) {
    HelpFileInPlace helpFile(PathBesideProgram("merovant-help-path.hlp"));
    registry.SetConfigurationValue("HelpPath", helpFile.path().c_str());
    registry.SetConfigurationValue("Power", "C:\\Merovant\\corvessa.exe");

    EXPECT_EQ(Run({"/DISPLAY"}), 0);
    EXPECT_EQ(Run({"-power"}), 0);
    EXPECT_EQ(Run({"/12", "/10"}), 0);
    EXPECT_EQ(shell.started, (std::vector<std::string>{"rundll32.exe shell32.dll,Control_RunDLL desk.cpl,,3",
                                                       "C:\\Merovant\\corvessa.exe",
                                                       "C:\\Merovant\\corvessa.exe"}));
    EXPECT_EQ(Run({"/15"}), 0);
    ASSERT_EQ(shell.help.size(), 1u);
    EXPECT_EQ(shell.help[0].owner, nullptr);
    EXPECT_EQ(shell.help[0].file, helpFile.path());
    EXPECT_EQ(shell.help[0].command, static_cast<UINT>(HELP_CONTEXT));
    EXPECT_EQ(shell.help[0].context, 0x20080u);

    // Nothing to show: an unknown page and MIDI.
    for (const char* nothing : {"/abc", "/0", "/17", "/MIDI"}) {
        EXPECT_EQ(Run({nothing}), 0) << nothing;
        EXPECT_EQ(MainWindow(), nullptr) << nothing;
    }
    EXPECT_EQ(shell.started.size(), 3u);
    EXPECT_EQ(shell.help.size(), 1u);
}

TEST_F(MerovantAppTest, HelpSwitchSaysWhyWhenHelpPathNamesNoFileThatIsThere) {
    const std::string setUp = "No help file is set up for this program. Run the Merovant setup again to restore the help.";
    const std::string absent = PathBesideProgram("absent.hlp");
    const std::string folder = FolderOfProgram();
    struct Case {
        const char* value;  // nullptr: no HelpPath
        std::string message;
    };
    const Case cases[] = {
        {nullptr, setUp},
        {"", setUp},
        {absent.c_str(), "Cannot find the help file " + absent + ". Run the Merovant setup again to restore the help."},
        {folder.c_str(), "Cannot find the help file " + folder + ". Run the Merovant setup again to restore the help."},
    };
    for (const Case& c : cases) {
        if (c.value != nullptr) registry.SetConfigurationValue("HelpPath", c.value);
        shell.messages.clear();
        EXPECT_EQ(Run({"/HELP"}), 0);
        EXPECT_EQ(shell.messages, std::vector<std::string>{c.message}) << (c.value ? c.value : "no HelpPath");
    }
    EXPECT_TRUE(shell.help.empty()) << "the reader is never asked for a file that is not there";
}

TEST_F(MerovantAppTest, PowerSwitchSaysSoWhenPowerStartsNothing) {
    const std::vector<std::string> message = {
        "Power Management cannot be started: its program is not installed or cannot be found. Please install "
        "Merovant Configuration again."};
    // No value: nothing to start.
    EXPECT_EQ(Run({"/POWER"}), 0);
    EXPECT_TRUE(shell.started.empty());
    EXPECT_EQ(shell.messages, message);

    // A program that cannot be started.
    registry.SetConfigurationValue("Power", "C:\\Merovant\\gone.exe");
    shell.startSucceeds = false;
    shell.messages.clear();
    EXPECT_EQ(Run({"/10"}), 0);
    EXPECT_EQ(shell.started, std::vector<std::string>{"C:\\Merovant\\gone.exe"});
    EXPECT_EQ(shell.messages, message);
    EXPECT_EQ(MainWindow(), nullptr);
}

TEST_F(MerovantAppTest, AWmCloseSentFromAnotherThreadEndsTheMessageLoop) {
    // As another program's WM_CLOSE does: sent to the window from outside its
    // thread, it is handled inside GetMessageA.
    const DWORD programThread = GetCurrentThreadId();
    std::atomic<bool> returned{false};
    std::atomic<bool> rescued{false};
    std::thread closer([&] {
        HWND window = nullptr;
        for (int i = 0; i < 400 && (window = MainWindow()) == nullptr; ++i) Sleep(25);
        DWORD_PTR answer = 0;
        SendMessageTimeoutA(window, WM_CLOSE, 0, 0, SMTO_NORMAL, 10000, &answer);
        for (int i = 0; i < 100 && !returned; ++i) Sleep(50);
        if (!returned) {
            rescued = true;
            PostThreadMessageA(programThread, WM_QUIT, 0, 0);
        }
    });
    EXPECT_EQ(Run({}), 0);
    returned = true;
    closer.join();
    EXPECT_FALSE(rescued) << "the loop ran on after its window had gone";
    EXPECT_EQ(MainWindow(), nullptr);
}

TEST_F(MerovantAppTest, MainWindowRunsUntilClosedAndTheChannelIsClosedAtExit) {
    SetTimer(nullptr, 0, 200, CloseMainWindow);
    EXPECT_EQ(Run({"/16"}), 0);
    EXPECT_EQ(MainWindow(), nullptr);
    EXPECT_GE(CountRequests(*model, kSmiFunctionPower, 0x0020), 1);
    model->ClearLog();
    std::uint8_t source = 9;
    EXPECT_FALSE(GetPowerSource(source)) << "the channel is closed";
}

TEST_F(MerovantAppTest, SecondInstanceRestoresTheFirstWindowAndEnds) {
    UniqueKernelHandle first(CreateMutexA(nullptr, TRUE, kMerovantMutex));
    ASSERT_TRUE(first);
    MerovantContext context{GetModuleHandleA(nullptr), shell, {}, {}};
    CMainFrame frame(context);
    ASSERT_TRUE(frame.Create(SW_SHOWMINNOACTIVE));
    ASSERT_TRUE(IsIconic(frame.hwnd()));

    EXPECT_EQ(Run({"/DISPLAY"}), 0);
    EXPECT_FALSE(IsIconic(frame.hwnd()));
    EXPECT_TRUE(IsWindowVisible(frame.hwnd()));
    EXPECT_TRUE(shell.started.empty()) << "a second instance opens no page";
}

TEST_F(MerovantAppTest, SecondInstanceWithoutAMainWindowJustEnds) {
    UniqueKernelHandle first(CreateMutexA(nullptr, TRUE, kMerovantMutex));
    EXPECT_EQ(Run({}), 0);
    EXPECT_EQ(MainWindow(), nullptr);
    EXPECT_TRUE(shell.started.empty());
}

}  // namespace
