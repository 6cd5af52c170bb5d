// The notification area of a Wine desktop as a user sees it: the tips and
// pictures of its icons, read from the taskbar of explorer.exe /desktop.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "tests/support/program_run.h"

// A Wine desktop of its own, with a taskbar and its notification area. The
// calling thread works on it from then on, so it must not own a window yet.
// The desktop's explorer is ended with the object.
class ShellDesktop {
public:
    explicit ShellDesktop(const std::string& name);
    ~ShellDesktop();
    ShellDesktop(const ShellDesktop&) = delete;
    ShellDesktop& operator=(const ShellDesktop&) = delete;

    // True once the taskbar is there and the thread works on the desktop.
    explicit operator bool() const { return ready_; }

private:
    StartedProgram explorer_;
    bool ready_ = false;
};

// An icon the notification area shows: its tip, and where the taskbar draws
// it (in the taskbar's client area).
struct NotificationIcon {
    std::string tip;
    RECT rect;
};

// The icons the notification area of the thread's desktop shows now, as its
// taskbar holds them (a tooltip for each icon).
std::vector<NotificationIcon> NotificationIcons();

// True when the taskbar draws icon as picture (a small icon), centred on the
// taskbar's own background.
bool DrawsPicture(const NotificationIcon& icon, HICON picture);
