// taskbar's main window: a dialog (template 102) that is never seen. It owns
// the tray icon, opens the icon's menus and starts merovant's pages.
#pragma once

#include <windows.h>

#include <string>

#include "common/win32/configuration_key.h"
#include "common/win32/dialog.h"
#include "common/win32/tray_icon.h"
#include "common/win32/unique_handle.h"
#include "tray_launcher/shell/taskbar_shell.h"

// The tray icon's id and the message under which its mouse messages arrive.
inline constexpr UINT kTaskbarIconId = 129;
inline constexpr UINT kTaskbarIconMessage = WM_APP + 2;
static_assert(kTaskbarIconMessage == 0x8002);

class CTaskbarDialog final : public CDialog {
public:
    CTaskbarDialog(HINSTANCE instance, TaskbarShell& shell);

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
    void OnTimer(UINT_PTR id) override;
    void OnDestroy() override;

private:
    void OnIconMessage(UINT mouseMessage);
    void TrackMenu(HMENU popup, POINT at);
    // Starts line, made of "Program", in "CurrentPath" (taskbar's own
    // directory when that is empty); says so when "Program" is missing or
    // the line starts nothing.
    void StartMerovant(const std::string& line);
    void DisableTrayIcon();
    void PaintMinimised();

    HINSTANCE instance_;
    TaskbarShell& shell_;
    char program_[kConfigurationValueSize] = {};
    char currentPath_[kConfigurationValueSize] = {};
    HICON icon_ = nullptr;  // shared, from LoadIconA
    UniqueIcon smallIcon_;
    POINT clickedAt_{};  // where the left-click menu opens
    CTrayIcon trayIcon_{kTaskbarIconId, kTaskbarIconMessage};
};
