// The gauge's pictures, loaded once when the window object is built and kept
// for the life of the program: battery pictures, tray icons (16 x 16),
// power-mode icons (32 x 32), the program icon in both sizes and the faces of
// the Suspend and Hibernate buttons.
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

    // By resource id; nullptr for an id that is not one of the gauge's.
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

    UniqueBitmap batteries_[kBatteryCount];
    UniqueIcon tray_[kTrayCount];
    UniqueIcon programSmall_;
    UniqueIcon program_;
    UniqueIcon modes_[6];
    ButtonFaces suspend_;
    ButtonFaces hibernate_;
};
