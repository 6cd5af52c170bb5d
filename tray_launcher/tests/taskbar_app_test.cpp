// taskbar in process: the start-up, the hidden main dialog, its menus and
// commands, over the machine model with a scratch registry. The program's
// message loop runs; the test acts from a timer inside it.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/win32/configuration_key.h"
#include "common/win32/load_string.h"
#include "common/win32/unique_handle.h"
#include "machine_control/core/machine_operations.h"
#include "resources/taskbar/resource.h"
#include "tests/support/machine_fixture.h"
#include "tests/support/tray_icon.h"
#include "tests/support/window_text.h"
#include "tray_launcher/app/taskbar_app.h"
#include "tray_launcher/tray/taskbar_dialog.h"
#include "tray_launcher/tray/tray_menus.h"

namespace {

struct StartedLine {
    std::string line;
    std::string directory;  // "(none)" for no directory
    bool operator==(const StartedLine&) const = default;
};

std::ostream& operator<<(std::ostream& out, const StartedLine& s) { return out << s.line << " in " << s.directory; }

class RecordingShell final : public TaskbarShell {
public:
    bool StartProgram(const char* commandLine, const char* directory) override {
        started.push_back({commandLine, directory != nullptr ? directory : "(none)"});
        return startSucceeds;
    }
    int ShowMessageBox(HWND, const std::string& text, const std::string& caption, UINT) override {
        messages.push_back(caption + ": " + text);
        return IDOK;
    }
    std::vector<StartedLine> started;
    std::vector<std::string> messages;
    bool startSucceeds = true;  // false: as for a program that does not exist
};

// This process's top-level window with the main dialog's title.
HWND TaskbarWindow() {
    struct Search {
        HWND found = nullptr;
    } search;
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            DWORD process = 0;
            GetWindowThreadProcessId(window, &process);
            char title[64] = {};
            GetWindowTextA(window, title, sizeof title);
            if (process != GetCurrentProcessId() || std::string(title) != "Taskbar") return TRUE;
            reinterpret_cast<Search*>(data)->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::function<void(HWND)>* pendingAction = nullptr;
bool closeAfterAction = true;
bool watchdogClosed = false;

// Runs the pending action once the main dialog exists, then closes it.
void CALLBACK ActInsideTheProgram(HWND, UINT, UINT_PTR id, DWORD) {
    HWND dialog = TaskbarWindow();
    if (dialog == nullptr) return;
    KillTimer(nullptr, id);
    (*pendingAction)(dialog);
    pendingAction = nullptr;
    if (closeAfterAction) PostMessageA(dialog, WM_CLOSE, 0, 0);
}

// Closes a program that did not end by itself.
void CALLBACK Watchdog(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    if (HWND dialog = TaskbarWindow()) {
        watchdogClosed = true;
        PostMessageA(dialog, WM_CLOSE, 0, 0);
    }
}

bool IconShown(HWND owner) { return ShellHoldsIcon(owner, kTaskbarIconId, "probe"); }

class TaskbarAppTest : public testing::Test {
protected:
    void SetUp() override {
        registry.SetConfigurationValue("Program", "C:\\Program Files\\Merovant\\merovant.exe");
        registry.SetConfigurationValue("CurrentPath", "C:\\Program Files\\Merovant");
    }

    // Runs the program; action runs inside it with the main dialog. True
    // when the action ran.
    bool RunWith(std::function<void(HWND)> action, int* exitCode = nullptr, bool closeAfter = true) {
        bool ran = false;
        closeAfterAction = closeAfter;
        watchdogClosed = false;
        std::function<void(HWND)> wrapped = [&](HWND dialog) {
            ran = true;
            action(dialog);
        };
        pendingAction = &wrapped;
        const UINT_PTR timer = SetTimer(nullptr, 0, 50, ActInsideTheProgram);
        const UINT_PTR watchdog = SetTimer(nullptr, 0, 10000, Watchdog);
        const int code = RunTaskbar(GetModuleHandleA(nullptr), shell);
        KillTimer(nullptr, timer);
        KillTimer(nullptr, watchdog);
        pendingAction = nullptr;
        if (exitCode != nullptr) *exitCode = code;
        return ran;
    }

    static std::string ReadString(const char* name) {
        ConfigurationKey key;
        char value[kConfigurationValueSize] = {};
        if (!key.Open() || !key.ReadString(name, value)) return "(missing)";
        return value;
    }
    static bool ReadTaskBarId(DWORD& id) {
        ConfigurationKey key;
        return key.Open() && key.ReadDword("TaskBarId", id);
    }

    std::unique_ptr<MachineModel> model = std::make_unique<MachineModel>();
    FailingModelTransport transport{*model};
    ScratchMachineKey registry;
    RecordingShell shell;
};

TEST_F(TaskbarAppTest, StartUpRecordsTheCopyHoldsTheChannelAndShowsOnlyTheIcon) {
    int exitCode = 99;
    ASSERT_TRUE(RunWith(
        [&](HWND dialog) {
            EXPECT_FALSE(IsWindowVisible(dialog));
            EXPECT_TRUE(IsIconic(dialog));
            // As the dialog box's own first show does, whenever it comes.
            ShowWindow(dialog, SW_SHOWNORMAL);
            EXPECT_FALSE(IsWindowVisible(dialog));
            EXPECT_TRUE(IsIconic(dialog));
            DWORD id = 0;
            EXPECT_TRUE(ReadTaskBarId(id));
            EXPECT_EQ(id, GetCurrentProcessId());
            EXPECT_EQ(ReadString("CUTray"), "1");
            EXPECT_TRUE(IconShown(dialog));

            HICON big = reinterpret_cast<HICON>(SendMessageA(dialog, WM_GETICON, ICON_BIG, 0));
            EXPECT_NE(big, nullptr);
            EXPECT_NE(SendMessageA(dialog, WM_GETICON, ICON_SMALL, 0), 0);
            EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(dialog, WM_QUERYDRAGICON, 0, 0)), big);

            std::uint8_t source = 9;
            EXPECT_TRUE(GetPowerSource(source)) << "the channel is open while the program runs";
        },
        &exitCode));
    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(TaskbarWindow(), nullptr);
    EXPECT_EQ(ReadString("CUTray"), "1") << "only Disable Tray Icon records that the icon is not wanted";
    std::uint8_t source = 9;
    EXPECT_FALSE(GetPowerSource(source)) << "the channel is closed at exit";
    EXPECT_TRUE(shell.started.empty());
}

TEST_F(TaskbarAppTest, SecondCopyEndsAtOnce) {
    UniqueKernelHandle first(CreateMutexA(nullptr, TRUE, kTaskbarMutex));
    ASSERT_TRUE(first);
    EXPECT_FALSE(RunWith([](HWND) {}));
    DWORD id = 0;
    EXPECT_FALSE(ReadTaskBarId(id)) << "the second copy records nothing";
    EXPECT_EQ(ReadString("CUTray"), "(missing)");
}

TEST_F(TaskbarAppTest, WithoutTheConfigurationKeyItEndsSilently) {
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Merovant", 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
    ASSERT_EQ(RegDeleteKeyA(key, "Configuration Utility"), ERROR_SUCCESS);
    RegCloseKey(key);

    int exitCode = 99;
    EXPECT_FALSE(RunWith([](HWND) {}, &exitCode));
    EXPECT_EQ(exitCode, 0);
    ConfigurationKey reopened;
    EXPECT_FALSE(reopened.Open()) << "taskbar does not create the key";
}

// Walks the menu, calling visit for every command entry with its text.
void ForEachCommand(HMENU menu, const std::function<void(UINT, const std::string&)>& visit) {
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        if (HMENU submenu = GetSubMenu(menu, i)) {
            ForEachCommand(submenu, visit);
            continue;
        }
        const UINT id = GetMenuItemID(menu, i);
        if (id == 0) continue;  // the separator
        visit(id, MenuText(menu, id));
    }
}

TEST_F(TaskbarAppTest, EveryEntryOfTheLeftClickMenuStartsItsLine) {
    // By the entry's text as the user sees it: what it must start.
    const std::string program = "C:\\Program Files\\Merovant\\merovant.exe";
    const std::string path = "C:\\Program Files\\Merovant";
    const std::vector<std::pair<std::string, StartedLine>> expected = {
        {"&Glidenub", {program + " /1", path}},
        {"&Audio", {program + " /2", path}},
        {"&Infrared", {program + " /3", path}},
        {"&Parallel Port", {program + " /5", path}},
        {"&Serial Port", {program + " /6", path}},
        {"&Modem", {program + " /7", path}},
        {"PCI &Device Setup", {program + " /8", path}},
        {"PC &Card Slots", {program + " /9", path}},
        {"&Settings", {program + " /10", path}},
        {"&LCD", {program + " /11", path}},
        {"&External Display", {"rundll32.exe shell32.dll,Control_RunDLL desk.cpl,,3", "(none)"}},
        {"&Accessibility", {program + " /13", path}},
        {"&System Information", {program + " /14", path}},
        {"&Help", {program + " /15", path}},
        {"Open", {program + " /16", path}},
    };
    ASSERT_TRUE(RunWith([&](HWND dialog) {
        UniqueMenu menu = LoadTrayMenu(GetModuleHandleA(nullptr), IDR_TRAY_LEFT_MENU);
        HMENU popup = GetSubMenu(menu.get(), 0);
        ASSERT_NE(popup, nullptr);
        SetLauncherMenuTexts(popup);

        const char* titles[] = {"Device &Configuration", "&Power Management", "&Display", "&Options", "&Help"};
        for (int position = 0; position < 5; ++position) {
            EXPECT_EQ(MenuText(popup, static_cast<UINT>(position), MF_BYPOSITION), titles[position]);
            EXPECT_NE(GetSubMenu(popup, position), nullptr) << titles[position] << " keeps its submenu";
        }

        std::size_t next = 0;
        ForEachCommand(popup, [&](UINT id, const std::string& text) {
            ASSERT_LT(next, expected.size()) << text;
            EXPECT_EQ(text, expected[next].first);
            shell.started.clear();
            SendMessageA(dialog, WM_COMMAND, id, 0);
            EXPECT_EQ(shell.started, std::vector<StartedLine>{expected[next].second}) << text;
            ++next;
        });
        EXPECT_EQ(next, expected.size());

        // A double click on the icon starts merovant with no switch; another
        // icon's messages are not taskbar's.
        shell.started.clear();
        SendMessageA(dialog, kTaskbarIconMessage, kTaskbarIconId, WM_LBUTTONDBLCLK);
        SendMessageA(dialog, kTaskbarIconMessage, kTaskbarIconId + 1, WM_LBUTTONDBLCLK);
        const std::vector<StartedLine> merovantItself = {{program, path}};
        EXPECT_EQ(shell.started, merovantItself);
    }));
}

TEST_F(TaskbarAppTest, WithoutCurrentPathMerovantStartsInTaskbarsDirectory) {
    registry.SetConfigurationValue("CurrentPath", "");
    ASSERT_TRUE(RunWith([&](HWND dialog) { SendMessageA(dialog, WM_COMMAND, ID_TRAY_INFRARED, 0); }));
    const std::vector<StartedLine> expected = {{"C:\\Program Files\\Merovant\\merovant.exe /3", "(none)"}};
    EXPECT_EQ(shell.started, expected);
}

TEST_F(TaskbarAppTest, DisableTrayIconRecordsItAndEnds) {
    UniqueMenu menu = LoadTrayMenu(GetModuleHandleA(nullptr), IDR_TRAY_RIGHT_MENU);
    HMENU popup = GetSubMenu(menu.get(), 0);
    ASSERT_NE(popup, nullptr);
    SetDisableMenuText(popup);
    ASSERT_EQ(GetMenuItemCount(popup), 1);
    EXPECT_EQ(MenuText(popup, 0, MF_BYPOSITION), "Disable Tray Icon");
    EXPECT_EQ(GetMenuItemID(popup, 0), static_cast<UINT>(ID_TRAY_DISABLE));
    EXPECT_EQ(GetMenuState(popup, ID_TRAY_DISABLE, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED), 0u);

    ASSERT_TRUE(RunWith(
        [&](HWND dialog) {
            SendMessageA(dialog, WM_COMMAND, ID_TRAY_DISABLE, 0);
            EXPECT_FALSE(IconShown(dialog));
        },
        nullptr, false));
    EXPECT_FALSE(watchdogClosed) << "the program ends by itself";
    EXPECT_EQ(TaskbarWindow(), nullptr);
    EXPECT_EQ(ReadString("CUTray"), "0");
    DWORD id = 0;
    EXPECT_TRUE(ReadTaskBarId(id));
    EXPECT_EQ(id, GetCurrentProcessId()) << "the ended copy's id stays";
    EXPECT_TRUE(shell.started.empty());
}

TEST_F(TaskbarAppTest, TheProgramEndsWithItsWindowHoweverItGoes) {
    struct Case {
        const char* how;
        void (*end)(HWND dialog);
    };
    const Case cases[] = {
        {"WM_DESTROY posted", [](HWND dialog) { PostMessageA(dialog, WM_DESTROY, 0, 0); }},
        {"DestroyWindow", [](HWND dialog) { DestroyWindow(dialog); }},
        {"WM_CLOSE posted", [](HWND dialog) { PostMessageA(dialog, WM_CLOSE, 0, 0); }},
    };
    for (const Case& c : cases) {
        HWND ended = nullptr;
        int exitCode = 99;
        ASSERT_TRUE(RunWith(
            [&](HWND dialog) {
                ended = dialog;
                c.end(dialog);
            },
            &exitCode, false))
            << c.how;
        EXPECT_FALSE(watchdogClosed) << c.how << ": the program ends by itself";
        EXPECT_EQ(exitCode, 0) << c.how;
        EXPECT_EQ(TaskbarWindow(), nullptr) << c.how;
        EXPECT_FALSE(IconShown(ended)) << c.how;
        EXPECT_EQ(ReadString("CUTray"), "1") << c.how << ": only Disable Tray Icon records that";
        // The marker is free again: the next start runs.
        UniqueKernelHandle marker(CreateMutexA(nullptr, TRUE, kTaskbarMutex));
        EXPECT_NE(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS)) << c.how;
    }
}

TEST_F(TaskbarAppTest, AProgramThatStartsNothingIsSaidWhereverItIsStarted) {
    const std::string message =
        "Merovant Configuration: Merovant Configuration cannot be started: its program is not installed or cannot "
        "be found. Please install Merovant Configuration again.";
    struct Case {
        const char* program;  // nullptr: no value
        bool startSucceeds;
    };
    const Case cases[] = {{nullptr, true}, {"", true}, {"C:\\Merovant\\gone.exe", false}};
    for (const Case& c : cases) {
        const char* label = c.program ? c.program : "(none)";
        if (c.program != nullptr)
            registry.SetConfigurationValue("Program", c.program);
        else
            registry.RemoveConfigurationValue("Program");
        shell.startSucceeds = c.startSucceeds;
        shell.messages.clear();
        shell.started.clear();
        ASSERT_TRUE(RunWith([&](HWND dialog) {
            SendMessageA(dialog, kTaskbarIconMessage, kTaskbarIconId, WM_LBUTTONDBLCLK);
            SendMessageA(dialog, WM_COMMAND, ID_TRAY_POWER_SETTINGS, 0);
            SendMessageA(dialog, WM_COMMAND, ID_TRAY_OPEN, 0);
        })) << label;
        EXPECT_EQ(shell.messages, std::vector<std::string>(3, message)) << label;
        EXPECT_EQ(shell.started.size(), c.startSucceeds ? 0u : 3u) << label;
    }
    // The Display control panel is no program of the suite: no message.
    shell.messages.clear();
    ASSERT_TRUE(RunWith([&](HWND dialog) { SendMessageA(dialog, WM_COMMAND, ID_TRAY_EXTERNAL_DISPLAY, 0); }));
    EXPECT_TRUE(shell.messages.empty());
}

TEST_F(TaskbarAppTest, TheIconComesBackWhenTheShellRestarts) {
    ASSERT_TRUE(RunWith([&](HWND dialog) {
        ASSERT_TRUE(IconShown(dialog));
        NOTIFYICONDATAA data{};
        data.cbSize = NOTIFYICONDATAA_V1_SIZE;
        data.hWnd = dialog;
        data.uID = kTaskbarIconId;
        ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &data));  // as a shell that ended would have lost it
        ASSERT_FALSE(IconShown(dialog));
        SendMessageA(dialog, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
        EXPECT_TRUE(IconShown(dialog));
    }));
}

}  // namespace
