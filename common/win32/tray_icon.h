// An icon in the notification area, owned by a window: added, changed and
// removed through Shell_NotifyIconA, and added again when the shell restarts
// (the "TaskbarCreated" message that every top-level window receives).
// shell32.dll is loaded when the icon is first added, not when the program
// starts.
#pragma once

#include <windows.h>

#include "common/win32/unique_handle.h"

class CTrayIcon {
public:
    // The icon id and callback message under which owner receives the
    // icon's mouse messages.
    CTrayIcon(UINT id, UINT callbackMessage) : id_(id), callbackMessage_(callbackMessage) {}
    ~CTrayIcon() { Delete(); }
    CTrayIcon(const CTrayIcon&) = delete;
    CTrayIcon& operator=(const CTrayIcon&) = delete;

    // NIM_ADD with NIF_MESSAGE | NIF_ICON | NIF_TIP. The tip is cut to the 63
    // characters the shell of Windows 4.0 shows.
    bool Add(HWND owner, HICON icon, const char* tip);
    // NIM_MODIFY of icon and tip together.
    bool Modify(HICON icon, const char* tip);
    // NIM_DELETE; nothing when the icon is not shown.
    void Delete();
    bool shown() const { return owner_ != nullptr; }

    // For the owner's window procedure: true when message is the shell's
    // "TaskbarCreated", in which case the icon, if shown, is added again with
    // its last picture and tip.
    bool OnShellMessage(UINT message);

private:
    bool Notify(DWORD action);

    UniqueLibrary shell32_;  // freed after the icon's NIM_DELETE
    UINT id_;
    UINT callbackMessage_;
    HWND owner_ = nullptr;
    HICON icon_ = nullptr;
    char tip_[64] = {};
};
