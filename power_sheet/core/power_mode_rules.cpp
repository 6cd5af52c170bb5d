#include "power_sheet/core/power_mode_rules.h"

#include "machine_control/core/machine_values.h"

bool DecodeProcessorCode(std::uint8_t code, std::uint8_t& speedPosition, std::uint8_t& automaticClock) {
    // 0 to 2: the speed alone; 3 and 4: Medium and Slow with automatic clock.
    if (code > 4) return false;
    automaticClock = code >= 3 ? 1 : 0;
    speedPosition = static_cast<std::uint8_t>(code - 2 * automaticClock);
    return true;
}

std::uint8_t EncodeProcessorCode(std::uint8_t speedPosition, std::uint8_t automaticClock) {
    return static_cast<std::uint8_t>(speedPosition + 2 * automaticClock);
}

bool DisplayForMode(std::uint8_t mode, const PowerModeSettings& settings, const TimerCodes* defaults,
                    DetailsDisplay& display) {
    DetailsDisplay shown;
    switch (mode) {
        case kModeMaximumPerformance:
            // The machine's defaults, for reading only; the processor at full speed.
            shown.selectTimers = true;
            shown.timersKnown = defaults != nullptr;
            if (defaults != nullptr) shown.timers = *defaults;
            break;
        case kModeMaximumBatteryLife:
            // The machine chooses the timers itself.
            shown.timerListsShown = false;
            break;
        case kModeCustomized:
            shown.timerListsEnabled = true;
            shown.selectTimers = true;
            shown.timersKnown = true;
            shown.timers = {settings.suspendTimer, settings.lcdOffTimer, settings.hddOffTimer};
            shown.speedPosition = settings.speedPosition;
            shown.automaticClock = settings.automaticClock != 0;
            shown.processorEnabled = true;
            shown.automaticClockEnabled = settings.speedPosition != 0;
            break;
        default:
            return false;
    }
    display = shown;
    return true;
}
