#include "fuel_gauge/core/fuel_status.h"

#include "machine_control/core/machine_values.h"
#include "resources/fuel/resource.h"

namespace {

constexpr int kChargingPictures[11] = {
    IDB_FUEL_CHARGING0, IDB_FUEL_CHARGING1, IDB_FUEL_CHARGING2, IDB_FUEL_CHARGING3,
    IDB_FUEL_CHARGING4, IDB_FUEL_CHARGING5, IDB_FUEL_CHARGING6, IDB_FUEL_CHARGING7,
    IDB_FUEL_CHARGING8, IDB_FUEL_CHARGING9, IDB_FUEL_CHARGING10};
constexpr int kPictures[11] = {
    IDB_FUEL_LEVEL0, IDB_FUEL_LEVEL1, IDB_FUEL_LEVEL2, IDB_FUEL_LEVEL3, IDB_FUEL_LEVEL4, IDB_FUEL_LEVEL5,
    IDB_FUEL_LEVEL6, IDB_FUEL_LEVEL7, IDB_FUEL_LEVEL8, IDB_FUEL_LEVEL9, IDB_FUEL_LEVEL10};

struct ModeEntry {
    std::uint8_t source;
    std::uint8_t mode;
    int icon;
    int prefix;
};
// In the order of the switch cycle per source.
constexpr ModeEntry kModes[] = {
    {kFuelSourceAc, kModeMaximumPerformance, IDI_FUEL_AC_PERFORMANCE, IDS_FUEL_TIP_AC_PERFORMANCE},
    {kFuelSourceAc, kModeMaximumBatteryLife, IDI_FUEL_AC_LIFE, IDS_FUEL_TIP_AC_LIFE},
    {kFuelSourceAc, kModeCustomized, IDI_FUEL_AC_CUSTOMIZED, IDS_FUEL_TIP_AC_CUSTOMIZED},
    {kFuelSourceBattery, kModeMaximumPerformance, IDI_FUEL_BATTERY_PERFORMANCE, IDS_FUEL_TIP_BATTERY_PERFORMANCE},
    {kFuelSourceBattery, kModeMaximumBatteryLife, IDI_FUEL_BATTERY_LIFE, IDS_FUEL_TIP_BATTERY_LIFE},
    {kFuelSourceBattery, kModeCustomized, IDI_FUEL_BATTERY_CUSTOMIZED, IDS_FUEL_TIP_BATTERY_CUSTOMIZED},
};

const ModeEntry* FindMode(std::uint8_t source, std::uint8_t mode) {
    for (const ModeEntry& entry : kModes)
        if (entry.source == source && entry.mode == mode) return &entry;
    return nullptr;
}

}  // namespace

std::uint8_t LevelFromPercent(std::uint8_t percent) {
    const unsigned level = (percent + 9u) / 10u;
    return static_cast<std::uint8_t>(level > 10 ? 10 : level);
}

bool ChargeUnknown(std::uint8_t flags, std::uint8_t percent) {
    return (flags & (kBatteryChargeUnknown | kBatteryNotPresent)) != 0 || percent > 100;
}

bool ChargingFlag(std::uint8_t flags) { return (flags & kBatteryCharging) != 0; }

int BatteryPictureFor(std::uint8_t level, bool charging, bool unknown) {
    if (unknown) return IDB_FUEL_UNKNOWN;
    const unsigned index = level > 10 ? 10 : level;
    return charging ? kChargingPictures[index] : kPictures[index];
}

int BatteryTrayIconFor(std::uint8_t percent) {
    if (percent < 10) return IDI_FUEL_TRAY_LEVEL0;
    if (percent <= 30) return IDI_FUEL_TRAY_LEVEL1;
    if (percent <= 50) return IDI_FUEL_TRAY_LEVEL2;
    if (percent <= 70) return IDI_FUEL_TRAY_LEVEL3;
    if (percent <= 90) return IDI_FUEL_TRAY_LEVEL4;
    return IDI_FUEL_TRAY_LEVEL5;
}

int TrayIconFor(std::uint8_t source, std::uint8_t percent) {
    return source == kFuelSourceAc ? IDI_FUEL_PROGRAM : BatteryTrayIconFor(percent);
}

int ModeIconFor(std::uint8_t source, std::uint8_t mode) {
    const ModeEntry* entry = FindMode(source, mode);
    return entry != nullptr ? entry->icon : 0;
}

int TooltipPrefixFor(std::uint8_t source, std::uint8_t mode) {
    const ModeEntry* entry = FindMode(source, mode);
    return entry != nullptr ? entry->prefix : 0;
}

bool NextModeSwitch(std::uint8_t source, int shownIcon, ModeSwitch& next) {
    for (const ModeEntry& entry : kModes) {
        if (entry.source != source || entry.icon != shownIcon) continue;
        const std::uint8_t mode = static_cast<std::uint8_t>((entry.mode + 1) % 3);
        const ModeEntry* following = FindMode(source, mode);
        next = ModeSwitch{source, mode, following->icon, following->prefix};
        return true;
    }
    return false;
}
