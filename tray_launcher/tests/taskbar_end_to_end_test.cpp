// End to end under Wine: the real taskbar.exe with the shared key of the
// prefix, a stand-in that records what taskbar starts, and the real
// merovant.exe on the virtual notebook's driver.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "tests/support/console_program.h"
#include "tests/support/program_run.h"
#include "tests/support/registry_value.h"
#include "tests/support/tray_icon.h"
#include "tests/support/test_log.h"
#include "tests/support/wait_for.h"

namespace {

constexpr UINT kIconMessage = WM_APP + 2;
constexpr UINT kIconId = 129;
constexpr UINT kInfrared = 32776;

// The visible or hidden top-level windows of class (or any, when null) and
// title (or any, when null), with their processes.
struct FoundWindow {
    HWND window;
    DWORD process;
};
std::vector<FoundWindow> TopLevelWindows(const char* className, const char* title) {
    struct Search {
        const char* className;
        const char* title;
        std::vector<FoundWindow> found;
    } search{className, title, {}};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(data);
            char text[128] = {}, name[64] = {};
            GetWindowTextA(window, text, sizeof text);
            GetClassNameA(window, name, sizeof name);
            if ((s.title == nullptr || std::string(text) == s.title) &&
                (s.className == nullptr || std::string(name) == s.className)) {
                DWORD process = 0;
                GetWindowThreadProcessId(window, &process);
                s.found.push_back({window, process});
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WindowOf(DWORD process, const char* className, const char* title) {
    for (const FoundWindow& w : TopLevelWindows(className, title))
        if (w.process == process) return w.window;
    return nullptr;
}

// The texts of a dialog's static controls (a message box's text), together.
std::string DialogText(HWND dialog) {
    std::string text;
    EnumChildWindows(
        dialog,
        [](HWND child, LPARAM data) -> BOOL {
            char name[16] = {}, part[512] = {};
            GetClassNameA(child, name, sizeof name);
            if (lstrcmpiA(name, "Static") == 0 && GetWindowTextA(child, part, sizeof part) > 0)
                *reinterpret_cast<std::string*>(data) += part;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&text));
    return text;
}

// True when the shell has taskbar's icon for owner; the probe leaves the
// icon with taskbar's own tip.
bool IconShown(HWND owner) { return ShellHoldsIcon(owner, kIconId, "Merovant Configuration"); }

class TaskbarEndToEnd : public testing::Test {
protected:
    void SetUp() override {
        key.Set("Program", PathBesideProgram("merovant.exe"));
        key.Set("CurrentPath", FolderOfProgram());
    }
    void TearDown() override {
        for (StartedProgram* p : {&first, &second, &merovant}) {
            if (!*p) continue;
            if (HWND w = WindowOf(p->id, nullptr, "Taskbar")) PostMessageA(w, WM_CLOSE, 0, 0);
            EndWithin(*p, 5000);
        }
    }
    // taskbar started, with its hidden main window found.
    HWND StartTaskbar(StartedProgram& p) {
        p = StartProgram(QuotedProgramBeside("taskbar.exe"));
        HWND window = nullptr;
        EXPECT_TRUE(p.process);
        EXPECT_TRUE(WaitFor([&] { return (window = WindowOf(p.id, nullptr, "Taskbar")) != nullptr; }));
        return window;
    }
    // Opens a tray menu as a click on the icon does, and waits for it.
    static bool OpenTrayMenu(HWND taskbar, DWORD process, UINT mouseMessage) {
        PostMessageA(taskbar, kIconMessage, kIconId, mouseMessage);
        return WaitFor([&] {
            HWND menu = WindowOf(process, "#32768", nullptr);
            return menu != nullptr && IsWindowVisible(menu);
        });
    }

    // The prefix's shared key; what the tests change is put back afterwards.
    SavedSharedValues key{"Program", "CurrentPath", "CUTray", "TaskBarId"};
    StartedProgram first, second, merovant;
};

TEST_F(TaskbarEndToEnd, SecondStartEndsAtOnceLeavingOneCopy) {
    HWND window = StartTaskbar(first);
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(IsWindowVisible(window)) << "only the icon shows";
    EXPECT_EQ(key.GetDword("TaskBarId"), first.id);
    EXPECT_EQ(key.Get("CUTray"), "1");

    second = StartProgram(QuotedProgramBeside("taskbar.exe"));
    ASSERT_TRUE(second.process);
    EXPECT_TRUE(Ended(second, 10000));
    EXPECT_EQ(key.GetDword("TaskBarId"), first.id) << "the second copy records nothing";
    std::vector<FoundWindow> windows = TopLevelWindows(nullptr, "Taskbar");
    int taskbarWindows = 0;
    for (const FoundWindow& w : windows) taskbarWindows += w.process == first.id || w.process == second.id;
    EXPECT_EQ(taskbarWindows, 1);
    EXPECT_TRUE(IconShown(window)) << "the first copy's icon, the only one";
}

TEST_F(TaskbarEndToEnd, EveryMenuCommandStartsProgramFollowedByItsSwitch) {
    // The stand-in where a blank is in the path, written unquoted, as the
    // installation writes "Program".
    const std::string folder = PathBesideProgram("tray launcher test");
    CreateDirectoryA(folder.c_str(), nullptr);
    const CommandRecorder recorder = FreshCommandRecorder(folder, "command recorder.exe");
    ASSERT_FALSE(recorder.program.empty());
    key.Set("Program", recorder.program);
    key.Set("CurrentPath", folder);

    HWND window = StartTaskbar(first);
    ASSERT_NE(window, nullptr);
    const std::vector<std::pair<UINT, std::string>> commands = {
        {32774, " /1"},  {32775, " /2"},  {32776, " /3"},  {32778, " /5"},  {32779, " /6"},
        {32780, " /7"},  {32781, " /8"},  {32782, " /9"},  {32783, " /10"}, {32784, " /11"},
        {32786, " /13"}, {32787, " /14"}, {32788, " /15"}, {32789, " /16"}, {0, ""},
    };
    std::string expected;
    for (const auto& [command, pageSwitch] : commands) {
        if (command != 0)
            PostMessageA(window, WM_COMMAND, command, 0);
        else
            PostMessageA(window, kIconMessage, kIconId, WM_LBUTTONDBLCLK);  // merovant itself
        expected += folder + "|" + recorder.program + pageSwitch + "\n";
        // One start at a time, so the lines keep their order.
        EXPECT_TRUE(WaitFor([&] { return ReadWholeFile(recorder.log).size() >= expected.size(); })) << pageSwitch;
    }
    // Wine quotes a program name with blanks in the line the new process
    // sees; taskbar's own line (tested in process) has no quotes.
    std::string recorded = ReadWholeFile(recorder.log);
    std::erase(recorded, '"');
    EXPECT_EQ(recorded, expected);
}

TEST_F(TaskbarEndToEnd, DisableTrayIconFromTheRightClickMenuRecordsItAndEnds) {
    HWND window = StartTaskbar(first);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(OpenTrayMenu(window, first.id, WM_RBUTTONDOWN));
    // Down to its one entry, and choose it.
    PostMessageA(window, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(window, WM_KEYDOWN, VK_RETURN, 0);
    ASSERT_TRUE(Ended(first, 15000));
    EXPECT_FALSE(IconShown(window));
    EXPECT_EQ(key.Get("CUTray"), "0");
    EXPECT_EQ(key.GetDword("TaskBarId"), first.id) << "the ended copy's id stays";
}

TEST_F(TaskbarEndToEnd, APostedWmDestroyEndsItAndANewStartShowsTheIcon) {
    HWND window = StartTaskbar(first);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(WaitFor([&] { return IconShown(window); }));
    // As merovant's Customize page and the installer end it.
    PostMessageA(window, WM_DESTROY, 0, 0);
    DWORD code = 99;
    ASSERT_TRUE(Ended(first, 10000, &code)) << "the process ends with its window";
    EXPECT_EQ(code, 0u);
    EXPECT_FALSE(IconShown(window));

    HWND again = StartTaskbar(second);
    ASSERT_NE(again, nullptr) << "the single-instance marker went with the first process";
    EXPECT_TRUE(WaitFor([&] { return IconShown(again); }));
    EXPECT_EQ(key.GetDword("TaskBarId"), second.id);
}

TEST_F(TaskbarEndToEnd, ADoubleClickStartsMerovantAndOpensNoMenu) {
    const CommandRecorder recorder = FreshCommandRecorder();
    ASSERT_FALSE(recorder.program.empty());
    key.Set("Program", recorder.program);
    HWND window = StartTaskbar(first);
    ASSERT_NE(window, nullptr);
    // What the notification area sends for a double-click.
    for (UINT mouse : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
        PostMessageA(window, kIconMessage, kIconId, mouse);
    EXPECT_TRUE(WaitFor([&] { return !ReadWholeFile(recorder.log).empty(); })) << "merovant started";
    Sleep(GetDoubleClickTime() + 1000);
    HWND menu = WindowOf(first.id, "#32768", nullptr);
    EXPECT_FALSE(menu != nullptr && IsWindowVisible(menu)) << "a menu open at the second click would take it";
    std::string recorded = ReadWholeFile(recorder.log);
    std::erase(recorded, '"');
    EXPECT_EQ(recorded, FolderOfProgram() + "|" + recorder.program + "\n") << "started once";

    // A single click opens the menu once the double-click time has passed.
    ASSERT_TRUE(OpenTrayMenu(window, first.id, WM_LBUTTONDOWN));
    PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0);
}

TEST_F(TaskbarEndToEnd, AProgramThatCannotBeStartedIsSaid) {
    key.Set("Program", PathBesideProgram("no such merovant.exe"));
    HWND window = StartTaskbar(first);
    ASSERT_NE(window, nullptr);
    PostMessageA(window, kIconMessage, kIconId, WM_LBUTTONDBLCLK);
    HWND box = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (box = WindowOf(first.id, "#32770", "Merovant Configuration")) != nullptr; }))
        << "a message box";
    const std::string text = DialogText(box);
    EXPECT_NE(text.find("Merovant Configuration cannot be started"), std::string::npos) << text;
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(box); }));
    EXPECT_NE(WindowOf(first.id, nullptr, "Taskbar"), nullptr) << "taskbar runs on";
}

TEST_F(TaskbarEndToEnd, InfraredInTheTrayMenuOpensMerovantsInfraredPageAlone) {
    HWND window = StartTaskbar(first);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(OpenTrayMenu(window, first.id, WM_LBUTTONDOWN));
    // Device &Configuration, then &Infrared.
    PostMessageA(window, WM_CHAR, 'c', 0);
    PostMessageA(window, WM_CHAR, 'i', 0);

    HWND page = nullptr;
    ASSERT_TRUE(WaitFor([&] {
        for (const FoundWindow& w : TopLevelWindows("#32770", "Infrared"))
            if (w.process != first.id) {
                page = w.window;
                merovant.id = w.process;
                return true;
            }
        return false;
    })) << "merovant's Infrared page";
    merovant.process.reset(OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, merovant.id));
    EXPECT_TRUE(TopLevelWindows(nullptr, "Merovant Configuration").empty()) << "the page alone";
    PostMessageA(page, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(Ended(merovant, 15000)) << "merovant ends with its page";
    EXPECT_NE(WindowOf(first.id, nullptr, "Taskbar"), nullptr) << "taskbar runs on";
}

}  // namespace
