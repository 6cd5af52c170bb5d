#include "tests/support/sorvault_windows.h"

#include <cstdlib>

#include "resources/sorvault/resource.h"
#include "tests/support/wait_for.h"
#include "tests/support/window_text.h"

namespace {

// The static control that holds a message box's text.
constexpr int kMessageBoxText = 0xFFFF;

HWND OwnedMessageBox(HWND owner) {
    for (HWND window = FindWindowExA(nullptr, nullptr, "#32770", nullptr); window != nullptr;
         window = FindWindowExA(nullptr, window, "#32770", nullptr)) {
        if (window != owner && GetWindow(window, GW_OWNER) == owner && IsWindowVisible(window) &&
            GetDlgItem(window, kMessageBoxText) != nullptr)
            return window;
    }
    return nullptr;
}

}  // namespace

bool AnswerMessageBox(HWND owner, std::string& text, DWORD milliseconds) {
    HWND box = nullptr;
    if (!WaitFor([&] { return (box = OwnedMessageBox(owner)) != nullptr; }, milliseconds)) return false;
    text = ItemText(box, kMessageBoxText);
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    return WaitFor([&] { return !IsWindow(box); }, milliseconds);
}

HWND OpenSizeDialog(HWND fileDialog, uint64_t& minimalKB, DWORD milliseconds) {
    PostMessageA(fileDialog, WM_COMMAND, MAKEWPARAM(IDC_CREATE_DELETE, BN_CLICKED), 0);
    std::string message;
    if (!AnswerMessageBox(fileDialog, message, milliseconds) ||
        message != "Error: Could not find the graphical hibernation file save2dsk.xga.")
        return nullptr;
    HWND size = nullptr;
    if (!WaitFor([&] { return (size = FindWindowA("#32770", "File Size Input")) != nullptr && IsWindowVisible(size); },
                 milliseconds))
        return nullptr;
    minimalKB = std::strtoull(ItemText(size, IDC_MINIMAL_SIZE).c_str(), nullptr, 10);
    return size;
}
