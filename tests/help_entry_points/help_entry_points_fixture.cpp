#include "tests/help_entry_points/help_entry_points_fixture.h"

#include "tests/support/test_log.h"
#include "tests/support/wait_for.h"
#include "tests/support/window_text.h"

namespace {

constexpr int kMessageBoxText = 0xFFFF;  // the static control of a message box

void SendInputs(std::vector<INPUT> inputs) {
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

INPUT Mouse(DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    return input;
}

INPUT Key(WORD key, DWORD flags) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = flags;
    return input;
}

POINT CentreOf(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

BOOL CALLBACK CloseWindowOf(HWND window, LPARAM process) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == static_cast<DWORD>(process) && IsWindowVisible(window)) PostMessageA(window, WM_CLOSE, 0, 0);
    return TRUE;
}

}  // namespace

std::string BuiltHelpFile(const char* program) {
    return WindowsPath(std::string(SUITE_HELP_FILES "/") + kLanguage + "/" + program + ".hlp");
}
std::string HelpSourceOf(const char* folder) {
    return WindowsPath(std::string(SUITE_SOURCE_DIR "/resources/") + folder + "/help/help_" + kLanguage + ".txt");
}

std::string ProgramString(const char* image, UINT id) {
    HMODULE module = LoadLibraryExA(PathBesideProgram(image).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    char text[1024] = "";
    if (module != nullptr) {
        LoadStringA(module, id, text, sizeof text);
        FreeLibrary(module);
    }
    return text;
}

HWND ShownDialogOf(const StartedProgram& program, DWORD milliseconds) {
    HWND dialog = nullptr;
    WaitFor(
        [&] {
            const std::vector<HWND> shown = TopLevelWindows("#32770", program.id);
            dialog = shown.empty() ? nullptr : shown.front();
            return dialog != nullptr;
        },
        milliseconds);
    return dialog;
}

bool WhatsThisByMouse(HWND control) {
    HWND window = GetAncestor(control, GA_ROOT);
    SetForegroundWindow(window);
    WaitFor([&] { return GetForegroundWindow() == window; }, 5000);
    const POINT spot = CentreOf(control);
    SetCursorPos(spot.x, spot.y);
    SendInputs({Mouse(MOUSEEVENTF_RIGHTDOWN), Mouse(MOUSEEVENTF_RIGHTUP)});
    HWND menu = nullptr;
    if (!WaitFor([&] { return (menu = FindWindowA("#32768", nullptr)) != nullptr && IsWindowVisible(menu); }, 10000))
        return false;
    RECT r{};
    GetWindowRect(menu, &r);
    SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    SendInputs({Mouse(MOUSEEVENTF_LEFTDOWN), Mouse(MOUSEEVENTF_LEFTUP)});
    return WaitFor([] { return FindWindowA("#32768", nullptr) == nullptr || !IsWindowVisible(FindWindowA("#32768", nullptr)); },
                   5000);
}

void F1On(HWND dialog, HWND control) {
    PostMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
    SetForegroundWindow(dialog);
    // The focus moves in the program's own loop: wait until its thread has it
    // on control.
    WaitFor(
        [&] {
            GUITHREADINFO info{};
            info.cbSize = sizeof info;
            return GetForegroundWindow() == dialog &&
                   GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info) && info.hwndFocus == control;
        },
        5000);
    PressF1();
}

std::string MessageOf(const StartedProgram& program) {
    HWND box = ShownDialogOf(program);
    if (box == nullptr) return "(no message)";
    const std::string text = ItemText(box, kMessageBoxText);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    return text;
}

void PressF1() { SendInputs({Key(VK_F1, 0), Key(VK_F1, KEYEVENTF_KEYUP)}); }

void CloseWindowsOf(const StartedProgram& program) {
    if (program) EnumWindows(CloseWindowOf, static_cast<LPARAM>(program.id));
}
