// One tick of the gauge's polling: what it reads from the BIOS and what the
// window and the tray must show afterwards. The window applies the outcome.
//
// Timer 1 (every 2 s) reads the power source; timer 2 (every 10 s), or any
// tick after the source changed, also reads the battery for the window's
// picture and percentage. Then, unless the machine runs in a system mode
// other than 0, the tray part reads the power mode and the charge again; the
// tray and the power-mode icon change only when source, mode or percent did.
#pragma once

#include <cstdint>

#include "fuel_gauge/core/fuel_status.h"

struct FuelTick {
    // The window part ran: show picture and, unless unknown, percent.
    bool windowPart = false;
    bool chargeUnknown = false;
    std::uint8_t windowPercent = 0;
    int picture = 0;

    // Source, mode and percent give a new display: power-mode icon, tray icon
    // and the tooltip from prefix and suffix.
    bool trayUpdate = false;
    int modeIcon = 0;
    int trayIcon = 0;
    int tooltipPrefix = 0;
    bool suffixUnknown = false;
    std::uint8_t suffixPercent = 0;
};

// Runs the tick of timer (kFuelFastTimer or kFuelSlowTimer) on status through
// the machine control operations.
FuelTick PollFuel(FuelStatus& status, unsigned timer);

// The battery as the tray shows it after a power-mode switch: read into local
// values, the status unchanged. A failed read gives status's percent, known.
struct FuelCharge {
    std::uint8_t percent;
    bool unknown;
};
FuelCharge ReadChargeForTray(const FuelStatus& status);
