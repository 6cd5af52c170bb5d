// A stand-in for the audio player: a window titled "AudioRack32" that writes
// to audio-rack.log beside itself when it starts (with its command line) and
// each wParam of the "Audio AppMes" message it receives.
#include <cstdio>
#include <string>

#include "tests/support/test_log.h"

namespace {

// What the window keeps: the player's command message and its log.
struct StandIn {
    UINT audioCommand;
    std::string logPath;
};

LRESULT CALLBACK StandInProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    const auto* standIn = reinterpret_cast<const StandIn*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (standIn != nullptr && message == standIn->audioCommand) {
        char line[32];
        std::snprintf(line, sizeof line, "command %#lx", static_cast<unsigned long>(wParam));
        AppendLine(standIn->logPath, line);
        return 0;
    }
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    StandIn standIn{RegisterWindowMessageA("Audio AppMes"), PathBesideProgram("audio-rack.log")};
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = StandInProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "AudioRackStandIn";
    RegisterClassA(&windowClass);
    if (!CreateWindowA("AudioRackStandIn", "AudioRack32", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                       instance, &standIn))
        return 1;
    AppendLine(standIn.logPath, std::string("started:") + commandLine);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
    return 0;
}
