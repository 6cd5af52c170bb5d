#include "tests/support/help_reader.h"

#include <algorithm>

#include "common/win32/unique_handle.h"
#include "tests/support/wait_for.h"

namespace {

// The rich edit control of a help window.
constexpr int kTopicText = 0x701;

struct Search {
    const char* className;
    DWORD process;
    bool visibleOnly;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM lParam) {
    Search& search = *reinterpret_cast<Search*>(lParam);
    char name[32] = {};
    GetClassNameA(window, name, sizeof name);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (std::string(name) == search.className && (IsWindowVisible(window) || !search.visibleOnly) &&
        (search.process == 0 || search.process == process))
        search.found.push_back(window);
    return TRUE;
}

}  // namespace

std::vector<HWND> TopLevelWindows(const char* className, DWORD process, bool visibleOnly) {
    Search search{className, process, visibleOnly, {}};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool HelpReaderRuns() { return !TopLevelWindows(kHelpReaderClass, 0, false).empty(); }

void EndHelpReaders() {
    for (HWND window : TopLevelWindows(kHelpReaderClass, 0, false)) {
        DWORD id = 0;
        GetWindowThreadProcessId(window, &id);
        if (id == GetCurrentProcessId()) continue;
        UniqueKernelHandle process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id));
        if (!process) continue;
        TerminateProcess(process.get(), 1);
        WaitForSingleObject(process.get(), 10000);
    }
}

HWND HelpWindow(bool popup) {
    for (HWND window : TopLevelWindows(kHelpReaderClass)) {
        if (((GetWindowLongA(window, GWL_STYLE) & WS_POPUP) != 0) == popup) return window;
    }
    return nullptr;
}

std::wstring TopicText(HWND window) {
    wchar_t text[4096] = {};
    if (window != nullptr)
        SendMessageW(GetDlgItem(window, kTopicText), WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(text));
    std::wstring lines(text);
    std::erase(lines, L'\r');
    while (!lines.empty() && lines.back() == L'\n') lines.pop_back();
    return lines;
}

bool HelpShows(bool popup, const std::wstring& text) {
    return WaitFor([&] { return TopicText(HelpWindow(popup)) == text; }, 20000);
}
