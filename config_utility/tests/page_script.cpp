#include "config_utility/tests/page_script.h"

#include <deque>
#include <string>

namespace {

constexpr UINT kRunStep = WM_APP + 0x51;
std::deque<std::function<void(HWND)>> steps;

BOOL CALLBACK FindDialog(HWND window, LPARAM found) {
    char name[16];
    if (GetClassNameA(window, name, sizeof name) > 0 && lstrcmpA(name, "#32770") == 0) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

// The topmost dialog of this thread: a page, or the prompt over it.
HWND ThreadDialog() {
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&found));
    return found;
}

LRESULT CALLBACK OnGetMessage(int code, WPARAM removal, LPARAM lParam) {
    MSG& message = *reinterpret_cast<MSG*>(lParam);
    if (code == HC_ACTION && removal == PM_REMOVE && message.hwnd == nullptr && message.message == kRunStep &&
        !steps.empty()) {
        message.message = WM_NULL;
        auto step = std::move(steps.front());
        steps.pop_front();
        step(ThreadDialog());
    }
    return CallNextHookEx(nullptr, code, removal, lParam);
}

}  // namespace

PageScript::PageScript() : hook_(SetWindowsHookExA(WH_GETMESSAGE, OnGetMessage, nullptr, GetCurrentThreadId())) {}

PageScript::~PageScript() {
    UnhookWindowsHookEx(hook_);
    steps.clear();
    MSG message;
    while (PeekMessageA(&message, nullptr, kRunStep, kRunStep, PM_REMOVE)) {
    }
}

void PageScript::Then(std::function<void(HWND)> step) {
    steps.push_back(std::move(step));
    PostThreadMessageA(GetCurrentThreadId(), kRunStep, 0, 0);
}

POINT ControlCentre(HWND dialog, int control) {
    RECT bounds{};
    GetWindowRect(GetDlgItem(dialog, control), &bounds);
    return {(bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2};
}

void Click(HWND dialog, int control) { SendMessageA(GetDlgItem(dialog, control), BM_CLICK, 0, 0); }

