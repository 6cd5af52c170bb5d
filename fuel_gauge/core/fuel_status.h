// The gauge's state and the pictures and texts it chooses from it: battery
// picture by tenth of charge, tray icon by percent, power-mode icon and
// tooltip by power source and mode, and the mode that a double-click on the
// power-mode icon switches to.
#pragma once

#include <cstdint>

#include "machine_control/core/machine_values.h"

// The gauge's own power-source code (GetPowerSource answers 0 or 1). A known
// source is also the selector of its power-mode set in GetPowerMode and
// SetPowerMode.
inline constexpr std::uint8_t kFuelSourceUnknown = 0;
inline constexpr std::uint8_t kFuelSourceAc = 1;
inline constexpr std::uint8_t kFuelSourceBattery = 2;
static_assert(kFuelSourceAc == kSelectorAc && kFuelSourceBattery == kSelectorBattery,
              "the gauge's source codes are the power-mode selectors of their sources");
// No power mode read yet.
inline constexpr std::uint8_t kFuelModeNone = 3;

// The timers that drive the polling.
inline constexpr unsigned kFuelFastTimer = 1;   // every 2 s: power source and tray
inline constexpr unsigned kFuelSlowTimer = 2;   // every 10 s: also the window's picture
inline constexpr unsigned kFuelFastTimerMs = 2000;
inline constexpr unsigned kFuelSlowTimerMs = 10000;

struct FuelStatus {
    std::uint8_t source = kFuelSourceUnknown;
    std::uint8_t mode = kFuelModeNone;
    std::uint8_t percent = 100;
    std::uint8_t level = 10;             // tenth of charge the picture shows
    bool refreshPending = true;          // the next tick reads the battery for the window
    std::uint8_t systemMode = 0;         // non-zero: no power-mode and suspend controls
};

// Tenth of charge: percent / 10 rounded up, at most 10.
std::uint8_t LevelFromPercent(std::uint8_t percent);

// Status flags that mean the charge is unknown, and what counts as unknown:
// those flags, or a percent the battery cannot have.
bool ChargeUnknown(std::uint8_t flags, std::uint8_t percent);
bool ChargingFlag(std::uint8_t flags);

// Battery picture (bitmap id) of the window.
int BatteryPictureFor(std::uint8_t level, bool charging, bool unknown);
// Tray icon on battery power, by percent.
int BatteryTrayIconFor(std::uint8_t percent);
// Tray icon for source: the program icon on AC, else the battery icon.
int TrayIconFor(std::uint8_t source, std::uint8_t percent);
// Power-mode icon and tooltip prefix (string id), 0 when source or mode is
// not one the gauge shows.
int ModeIconFor(std::uint8_t source, std::uint8_t mode);
int TooltipPrefixFor(std::uint8_t source, std::uint8_t mode);

// The switch a double-click on the power-mode icon makes: the next mode of
// the cycle performance -> battery life -> customized -> performance.
struct ModeSwitch {
    std::uint8_t selector;   // kSelectorAc or kSelectorBattery
    std::uint8_t mode;
    int icon;
    int prefix;
};
// From the icon the window shows now and the gauge's source; false when the
// icon is none of the source's (no mode read yet, or hidden).
bool NextModeSwitch(std::uint8_t source, int shownIcon, ModeSwitch& next);
