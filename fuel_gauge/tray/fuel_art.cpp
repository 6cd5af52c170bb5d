#include "fuel_gauge/tray/fuel_art.h"

#include "resources/fuel/resource.h"

namespace {

HICON LoadIconSized(HINSTANCE instance, int id, int size) {
    return static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, 0));
}

// The pictures are drawn on white and shown as they are: no colour mapping.
HBITMAP LoadPicture(HINSTANCE instance, const char* name) {
    return static_cast<HBITMAP>(LoadImageA(instance, name, IMAGE_BITMAP, 0, 0, 0));
}

void LoadFaces(HINSTANCE instance, ButtonFaces& faces, const char* up, const char* down, const char* focus) {
    faces.up.reset(LoadPicture(instance, up));
    faces.down.reset(LoadPicture(instance, down));
    faces.focus.reset(LoadPicture(instance, focus));
}

}  // namespace

FuelArt::FuelArt(HINSTANCE instance) : instance_(instance) {
    programSmall_.reset(LoadIconSized(instance, IDI_FUEL_PROGRAM, 16));
    program_.reset(LoadIconSized(instance, IDI_FUEL_PROGRAM, 32));
    LoadFaces(instance, suspend_, IDB_FUEL_SUSPEND_UP, IDB_FUEL_SUSPEND_DOWN, IDB_FUEL_SUSPEND_FOCUS);
    LoadFaces(instance, hibernate_, IDB_FUEL_HIBER_UP, IDB_FUEL_HIBER_DOWN, IDB_FUEL_HIBER_FOCUS);
}

HBITMAP FuelArt::BatteryPicture(int id) const {
    if (id < kFirstBattery || id >= kFirstBattery + kBatteryCount) return nullptr;
    if (id != IDB_FUEL_UNKNOWN && (id < IDB_FUEL_CHARGING1 || id > IDB_FUEL_LEVEL0)) return nullptr;
    UniqueBitmap& picture = batteries_[id - kFirstBattery];
    if (!picture) picture.reset(LoadPicture(instance_, MAKEINTRESOURCEA(id)));
    return picture.get();
}

HICON FuelArt::TrayIcon(int id) const {
    if (id == IDI_FUEL_PROGRAM) return programSmall_.get();
    if (id < kFirstTray || id >= kFirstTray + kTrayCount) return nullptr;
    UniqueIcon& icon = tray_[id - kFirstTray];
    if (!icon) icon.reset(LoadIconSized(instance_, id, 16));
    return icon.get();
}

HICON FuelArt::ModeIcon(int id) const {
    for (int i = 0; i < 6; ++i) {
        if (kModeIds[i] != id) continue;
        if (!modes_[i]) modes_[i].reset(LoadIconSized(instance_, id, 32));
        return modes_[i].get();
    }
    return nullptr;
}
