// A stand-in for the tray launcher, the fuel gauge and the other programs that
// merovant's Customize page and the installer end: a hidden top-level window
// with the title given on the command line (its own name without one).
//   StandInTrayProgram TITLE          ends on WM_CLOSE or WM_DESTROY (exit code 7)
//   StandInTrayProgram TITLE stay     lets a posted WM_DESTROY pass: only
//                                     WM_CLOSE or TerminateProcess ends it
//   StandInTrayProgram TITLE busy     reads no message for a minute, as a
//                                     program in a long disk operation
// A TITLE with blanks is quoted.
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
    // The title is the first word or a quoted text; "stay" or "busy" may follow.
    static char title[64];
    const char* rest = commandLine;
    const char end = *rest == '"' ? '"' : ' ';
    if (end == '"') ++rest;
    int length = 0;
    while (*rest != 0 && *rest != end && length < static_cast<int>(sizeof title) - 1) title[length++] = *rest++;
    title[length] = 0;
    if (*rest == end) ++rest;
    while (*rest == ' ') ++rest;
    stay = std::strcmp(rest, "stay") == 0;
    const bool busy = std::strcmp(rest, "busy") == 0;
    if (title[0] == 0) {
        char image[MAX_PATH];
        const DWORD size = GetModuleFileNameA(nullptr, image, sizeof image);
        if (size == 0 || size >= sizeof image) return 1;
        const char* name = std::strrchr(image, '\\');
        lstrcpynA(title, name != nullptr ? name + 1 : image, sizeof title);
        if (char* dot = std::strrchr(title, '.')) *dot = 0;
    }
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = StandInProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "StandInTrayProgram";
    if (!RegisterClassA(&windowClass)) return 1;
    if (CreateWindowA("StandInTrayProgram", title, WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr, instance,
                      nullptr) == nullptr)
        return 1;
    if (busy) Sleep(60000);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
    return static_cast<int>(message.wParam);
}
