// A stand-in for the tray launcher and the fuel gauge in the Customize tests:
// a hidden top-level window with the title given on the command line.
//   StandInTrayProgram TITLE          ends on WM_CLOSE or WM_DESTROY (exit code 7)
//   StandInTrayProgram TITLE stay     lets a posted WM_DESTROY pass: only
//                                     WM_CLOSE or TerminateProcess ends it
#include <windows.h>

#include <cstring>

namespace {

constexpr int kQuitCode = 7;
bool stay = false;

LRESULT CALLBACK StandInProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CLOSE:
            stay = false;
            DestroyWindow(window);
            return 0;
        case WM_DESTROY:
            if (!stay) PostQuitMessage(kQuitCode);
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    // The title is the first word; "stay" may follow.
    static char title[64];
    lstrcpynA(title, commandLine, sizeof title);
    if (title[0] == 0) {
        char image[MAX_PATH];
        const DWORD length = GetModuleFileNameA(nullptr, image, sizeof image);
        if (length == 0 || length >= sizeof image) return 1;
        const char* name = std::strrchr(image, '\\');
        lstrcpynA(title, name != nullptr ? name + 1 : image, sizeof title);
        if (char* dot = std::strrchr(title, '.')) *dot = 0;
    }
    if (char* blank = std::strchr(title, ' ')) {
        stay = std::strcmp(blank + 1, "stay") == 0;
        *blank = 0;
    }
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = StandInProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "StandInTrayProgram";
    if (!RegisterClassA(&windowClass)) return 1;
    if (CreateWindowA("StandInTrayProgram", title, WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr, instance,
                      nullptr) == nullptr)
        return 1;
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
    return static_cast<int>(message.wParam);
}
