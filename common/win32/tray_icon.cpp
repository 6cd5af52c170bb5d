#include "common/win32/tray_icon.h"

#include <shellapi.h>

#include <cstring>

#include "common/win32/library_function.h"

namespace {

UINT TaskbarCreatedMessage() {
    static const UINT message = RegisterWindowMessageA("TaskbarCreated");
    return message;
}

}  // namespace

bool CTrayIcon::Add(HWND owner, HICON icon, const char* tip) {
    owner_ = owner;
    icon_ = icon;
    std::strncpy(tip_, tip, sizeof tip_ - 1);
    tip_[sizeof tip_ - 1] = '\0';
    TaskbarCreatedMessage();
    if (Notify(NIM_ADD)) return true;
    owner_ = nullptr;
    return false;
}

bool CTrayIcon::Modify(HICON icon, const char* tip) {
    if (!shown()) return false;
    icon_ = icon;
    std::strncpy(tip_, tip, sizeof tip_ - 1);
    tip_[sizeof tip_ - 1] = '\0';
    return Notify(NIM_MODIFY);
}

void CTrayIcon::Delete() {
    if (!shown()) return;
    Notify(NIM_DELETE);
    owner_ = nullptr;
}

bool CTrayIcon::OnShellMessage(UINT message) {
    if (message == 0 || message != TaskbarCreatedMessage()) return false;
    if (shown()) Notify(NIM_ADD);
    return true;
}

bool CTrayIcon::Notify(DWORD action) {
    // The structure as shell32 4.00 knows it: no version-5 fields, which the
    // shell of Windows 95 and NT 4.0 would refuse.
    NOTIFYICONDATAA data;
    std::memset(&data, 0, sizeof data);
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = owner_;
    data.uID = id_;
    if (action != NIM_DELETE) {
        data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
        data.uCallbackMessage = callbackMessage_;
        data.hIcon = icon_;
        std::memcpy(data.szTip, tip_, sizeof tip_);
    }
    if (!shell32_) shell32_.reset(LoadLibraryA("shell32.dll"));
    using NotifyIcon = BOOL(WINAPI*)(DWORD, NOTIFYICONDATAA*);
    const auto notify = FindFunction<NotifyIcon>(shell32_.get(), "Shell_NotifyIconA");
    return notify != nullptr && notify(action, &data) != FALSE;
}
