// The gauge's pictures, kept for the life of the program. The program icon in
// both sizes and the faces of the Suspend and Hibernate buttons, which the
// window shows at once, are loaded when the window object is built; the
// battery pictures, tray icons (16 x 16) and power-mode icons (32 x 32), which
// the timers show, each the first time it is asked for.
#pragma once

#include <windows.h>

#include "common/win32/unique_handle.h"

struct ButtonFaces {
    UniqueBitmap up;
    UniqueBitmap down;
    UniqueBitmap focus;
};

class FuelArt {
public:
    explicit FuelArt(HINSTANCE instance);
    FuelArt(const FuelArt&) = delete;
    FuelArt& operator=(const FuelArt&) = delete;

    // By resource id; nullptr for an id that is not one of the gauge's, or
    // whose picture cannot be loaded.
    HBITMAP BatteryPicture(int id) const;
    HICON TrayIcon(int id) const;   // the battery icons and the program icon, 16 x 16
    HICON ModeIcon(int id) const;   // 32 x 32
    HICON ProgramIcon() const { return program_.get(); }

    const ButtonFaces& Suspend() const { return suspend_; }
    const ButtonFaces& Hibernate() const { return hibernate_; }

private:
    static constexpr int kFirstBattery = 180;   // the unknown picture; 184 to 205 follow
    static constexpr int kBatteryCount = 26;
    static constexpr int kFirstTray = 184;
    static constexpr int kTrayCount = 6;
    static constexpr int kModeIds[6] = {138, 141, 178, 139, 142, 179};

    HINSTANCE instance_;
    mutable UniqueBitmap batteries_[kBatteryCount];
    mutable UniqueIcon tray_[kTrayCount];
    UniqueIcon programSmall_;
    UniqueIcon program_;
    mutable UniqueIcon modes_[6];
    ButtonFaces suspend_;
    ButtonFaces hibernate_;
};
