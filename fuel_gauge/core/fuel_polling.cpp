#include "fuel_gauge/core/fuel_polling.h"

#include "machine_control/core/machine_operations.h"
#include "machine_control/core/machine_values.h"

namespace {

// The gauge's source from the BIOS's power-source code; other codes leave it.
void TakeSource(std::uint8_t code, std::uint8_t& source) {
    if (code == kBatteryPower) source = kFuelSourceBattery;
    else if (code == kExternalPower) source = kFuelSourceAc;
}

}  // namespace

FuelTick PollFuel(FuelStatus& status, unsigned timer) {
    FuelTick tick;
    const std::uint8_t oldSource = status.source;
    const std::uint8_t oldMode = status.mode;
    const std::uint8_t oldPercent = status.percent;

    if (timer == kFuelFastTimer) {
        std::uint8_t code = 0;
        if (GetPowerSource(code)) {
            TakeSource(code, status.source);
            if (status.source != oldSource) status.refreshPending = true;
        }
    }

    if (timer == kFuelSlowTimer || status.refreshPending) {
        status.refreshPending = false;
        bool charging = false;
        std::uint8_t bh = 0, bl = 0, ch = 0, cl = 0;
        std::uint16_t dx = 0;
        if (wsbi_GetPowerSourceStatus(kPowerStatusBattery, bh, bl, ch, cl, dx)) {
            TakeSource(bh, status.source);
            status.percent = cl;
            charging = ChargingFlag(ch);
            tick.chargeUnknown = ChargeUnknown(ch, cl);
        }
        status.level = LevelFromPercent(status.percent);
        tick.windowPart = true;
        tick.windowPercent = status.percent;
        tick.picture = BatteryPictureFor(status.level, charging, tick.chargeUnknown);
    }

    if (status.systemMode != 0) return tick;

    // The mode in force is the one of the source's own power-mode set. With
    // the source unknown there is none to ask (the selector 0 names the
    // customized set), and nothing is shown for it.
    if (status.source != kFuelSourceUnknown) GetPowerMode(status.source, status.mode);
    bool unknown = tick.windowPart && tick.chargeUnknown;
    std::uint8_t bh = 0, bl = 0, ch = 0, cl = 0;
    std::uint16_t dx = 0;
    if (wsbi_GetPowerSourceStatus(kPowerStatusBattery, bh, bl, ch, cl, dx)) {
        status.percent = cl;
        unknown = unknown || ChargeUnknown(ch, cl);
    }

    if (status.source == oldSource && status.mode == oldMode && status.percent == oldPercent) return tick;
    const int modeIcon = ModeIconFor(status.source, status.mode);
    if (modeIcon == 0) return tick;
    tick.trayUpdate = true;
    tick.modeIcon = modeIcon;
    tick.tooltipPrefix = TooltipPrefixFor(status.source, status.mode);
    tick.trayIcon = TrayIconFor(status.source, status.percent);
    tick.suffixUnknown = unknown;
    tick.suffixPercent = status.percent;
    return tick;
}

FuelCharge ReadChargeForTray(const FuelStatus& status) {
    FuelCharge charge{status.percent, false};
    std::uint8_t bh = 0, bl = 0, ch = 0, cl = 0;
    std::uint16_t dx = 0;
    if (wsbi_GetPowerSourceStatus(kPowerStatusBattery, bh, bl, ch, cl, dx)) {
        charge.percent = cl;
        charge.unknown = ChargeUnknown(ch, cl);
    }
    return charge;
}
