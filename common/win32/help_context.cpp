#include "common/win32/help_context.h"

#include <cstring>

namespace {

bool IsGroupFrame(HWND control) {
    char name[16];
    if (GetClassNameA(control, name, sizeof name) == 0 || lstrcmpiA(name, "Button") != 0) return false;
    return (GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
}

}  // namespace

HWND ControlAt(HWND parent, POINT screen) {
    HWND frame = nullptr;
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT bounds;
        if (!(GetWindowLongA(child, GWL_STYLE) & WS_VISIBLE) || !GetWindowRect(child, &bounds) ||
            !PtInRect(&bounds, screen))
            continue;
        if (!IsGroupFrame(child)) return child;
        if (frame == nullptr) frame = child;
    }
    return frame;
}

DWORD HelpContextOf(HWND control, int templateId, const HelpContextBases& bases) {
    // An unnamed control has the id -1, or 0xFFFF from a template that holds
    // ids in 16 bits.
    const int id = control != nullptr ? GetDlgCtrlID(control) : -1;
    if (id != -1 && id != 0xFFFF) return bases.control + static_cast<DWORD>(id);
    return bases.dialog + static_cast<DWORD>(templateId);
}

DWORD HelpContextAt(HWND dialog, POINT screen, int templateId, const HelpContextBases& bases) {
    return HelpContextOf(ControlAt(dialog, screen), templateId, bases);
}

DWORD HelpContextOfItem(HWND dialog, HWND item, int templateId, const HelpContextBases& bases) {
    // Up from item to the child of dialog it lies in; a window that is no
    // child (a top-level window, the dialog's owner) ends the walk outside.
    HWND control = item;
    while (control != nullptr && control != dialog) {
        if (!(GetWindowLongA(control, GWL_STYLE) & WS_CHILD)) {
            control = nullptr;
            break;
        }
        HWND parent = GetParent(control);
        if (parent == dialog) break;
        control = parent;
    }
    return HelpContextOf(control == dialog ? nullptr : control, templateId, bases);
}

bool ProgramHelpFile(char (&path)[MAX_PATH]) {
    char image[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, image, sizeof image);
    if (length == 0 || length >= sizeof image) return false;
    const char* dot = std::strrchr(image, '.');
    const char* slash = std::strrchr(image, '\\');
    const std::size_t stem =
        (dot != nullptr && (slash == nullptr || dot > slash)) ? static_cast<std::size_t>(dot - image) : length;
    constexpr char kExtension[] = ".hlp";
    if (stem + sizeof kExtension > sizeof path) return false;
    std::memcpy(path, image, stem);
    std::memcpy(path + stem, kExtension, sizeof kExtension);
    return true;
}
