// End to end under Wine: the real taskbar.exe with the shared key of the
// prefix, a stand-in that records what taskbar starts, and the real
// merovant.exe on the virtual notebook's driver.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <string>
#include <vector>

#include "common/win32/unique_handle.h"
#include "tests/support/test_log.h"

namespace {

constexpr char kKeyPath[] = "SOFTWARE\\Merovant\\Configuration Utility";
constexpr UINT kIconMessage = WM_APP + 2;
constexpr UINT kIconId = 129;
constexpr UINT kInfrared = 32776;

bool WaitFor(const std::function<bool()>& condition, DWORD milliseconds = 15000) {
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > milliseconds) return false;
        Sleep(50);
    }
    return true;
}

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

struct Program {
    UniqueKernelHandle process;
    DWORD id = 0;
};

Program Start(const std::string& path, const std::string& arguments = "") {
    std::string line = "\"" + path + "\"" + (arguments.empty() ? "" : " " + arguments);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    Program started;
    if (CreateProcessA(path.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
        CloseHandle(info.hThread);
        started.process.reset(info.hProcess);
        started.id = info.dwProcessId;
    }
    return started;
}

// True when the shell has taskbar's icon for owner (a change of its tip is
// accepted only for an icon that is there).
bool IconShown(HWND owner) {
    NOTIFYICONDATAA data{};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = owner;
    data.uID = kIconId;
    data.uFlags = NIF_TIP;
    lstrcpyA(data.szTip, "Merovant Configuration");
    return Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}

bool Ended(const Program& p, DWORD milliseconds = 15000) {
    return WaitForSingleObject(p.process.get(), milliseconds) == WAIT_OBJECT_0;
}

// The prefix's shared key, as the installation lays it down; what the tests
// change is put back afterwards.
class SharedKey {
public:
    SharedKey() {
        RegCreateKeyExA(HKEY_LOCAL_MACHINE, kKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key_.put(), nullptr);
        for (const char* name : {"Program", "CurrentPath", "CUTray", "TaskBarId"}) {
            Saved saved{name, 0, {}};
            DWORD size = 0;
            if (RegQueryValueExA(key_.get(), name, nullptr, &saved.type, nullptr, &size) == ERROR_SUCCESS) {
                saved.data.resize(size);
                RegQueryValueExA(key_.get(), name, nullptr, &saved.type, saved.data.data(), &size);
            }
            saved_.push_back(saved);
        }
    }
    ~SharedKey() {
        for (const Saved& s : saved_) {
            if (s.type == 0)
                RegDeleteValueA(key_.get(), s.name);
            else
                RegSetValueExA(key_.get(), s.name, 0, s.type, s.data.data(), static_cast<DWORD>(s.data.size()));
        }
    }
    void Set(const char* name, const std::string& value) {
        RegSetValueExA(key_.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>(value.size() + 1));
    }
    std::string Get(const char* name) {
        char value[256] = {};
        DWORD size = sizeof value - 1, type = 0;
        if (RegQueryValueExA(key_.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(value), &size) !=
                ERROR_SUCCESS ||
            type != REG_SZ)
            return "(missing)";
        return value;
    }
    DWORD GetDword(const char* name) {
        DWORD value = 0, size = sizeof value, type = 0;
        if (RegQueryValueExA(key_.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
                ERROR_SUCCESS ||
            type != REG_DWORD)
            return 0;
        return value;
    }

private:
    struct Saved {
        const char* name;
        DWORD type;
        std::vector<BYTE> data;
    };
    UniqueRegistryKey key_;
    std::vector<Saved> saved_;
};

class TaskbarEndToEnd : public testing::Test {
protected:
    void SetUp() override {
        key.Set("Program", PathBesideProgram("merovant.exe"));
        key.Set("CurrentPath", Folder());
    }
    void TearDown() override {
        for (Program* p : {&first, &second, &merovant}) {
            if (!p->process) continue;
            if (HWND w = WindowOf(p->id, nullptr, "Taskbar")) PostMessageA(w, WM_CLOSE, 0, 0);
            if (!Ended(*p, 5000)) TerminateProcess(p->process.get(), 1);
        }
    }
    static std::string Folder() {
        std::string folder = PathBesideProgram("");
        folder.pop_back();
        return folder;
    }
    // taskbar started, with its hidden main window found.
    HWND StartTaskbar(Program& p) {
        p = Start(PathBesideProgram("taskbar.exe"));
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

    SharedKey key;
    Program first, second, merovant;
};

TEST_F(TaskbarEndToEnd, SecondStartEndsAtOnceLeavingOneCopy) {
    HWND window = StartTaskbar(first);
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(IsWindowVisible(window)) << "only the icon shows";
    EXPECT_EQ(key.GetDword("TaskBarId"), first.id);
    EXPECT_EQ(key.Get("CUTray"), "1");

    second = Start(PathBesideProgram("taskbar.exe"));
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
    const std::string recorder = folder + "\\command recorder.exe";
    ASSERT_TRUE(CopyFileA(PathBesideProgram("command_recorder.exe").c_str(), recorder.c_str(), FALSE));
    const std::string log = folder + "\\command-recorder.log";
    DeleteFileA(log.c_str());
    key.Set("Program", recorder);
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
        expected += folder + "|" + recorder + pageSwitch + "\n";
        // One start at a time, so the lines keep their order.
        EXPECT_TRUE(WaitFor([&] { return ReadWholeFile(log).size() >= expected.size(); })) << pageSwitch;
    }
    // Wine quotes a program name with blanks in the line the new process
    // sees; taskbar's own line (tested in process) has no quotes.
    std::string recorded = ReadWholeFile(log);
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
    ASSERT_TRUE(Ended(first));
    EXPECT_FALSE(IconShown(window));
    EXPECT_EQ(key.Get("CUTray"), "0");
    EXPECT_EQ(key.GetDword("TaskBarId"), first.id) << "the ended copy's id stays";
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
    EXPECT_TRUE(Ended(merovant)) << "merovant ends with its page";
    EXPECT_NE(WindowOf(first.id, nullptr, "Taskbar"), nullptr) << "taskbar runs on";
}

}  // namespace
