// The Power Mode page's state and rules: the settings of both power sources,
// the one customized set, the processor code, and what the "Setting details"
// area shows for each power mode.
#pragma once

#include <cstdint>

// Entries of the page's lists; a BIOS timer or speed code is the position of
// its entry.
inline constexpr int kTimerListSize = 12;      // "Disabled", 1 ... 60 minutes
inline constexpr int kHddTimerListSize = 5;    // "Disabled", 3 ... 20 minutes
inline constexpr int kPowerModeCount = 3;      // performance, battery life, customized

// The minutes of the suspend and LCD-off lists and of the HDD-off list, after
// their first entry "Disabled".
inline constexpr int kTimerMinutes[kTimerListSize - 1] = {1, 2, 3, 5, 10, 15, 20, 25, 30, 45, 60};
inline constexpr int kHddTimerMinutes[kHddTimerListSize - 1] = {3, 5, 10, 20};

struct PowerModeSettings {
    std::uint8_t acMode = 0;
    std::uint8_t batteryMode = 0;
    std::uint8_t suspendTimer = 0;
    std::uint8_t lcdOffTimer = 0;
    std::uint8_t hddOffTimer = 0;
    std::uint8_t processorCode = 0;
    std::uint8_t speedPosition = 0;   // first part of the processor code
    std::uint8_t automaticClock = 0;  // second part: 1 when on
    std::uint8_t cdromSpeed = 0;
    std::uint8_t selector = 0;        // source selector; see the page
};

// Splits a processor code (0 to 4) into speed position and automatic clock;
// false, and nothing written, for any other code.
bool DecodeProcessorCode(std::uint8_t code, std::uint8_t& speedPosition, std::uint8_t& automaticClock);
// speed position + 2 x automatic clock.
std::uint8_t EncodeProcessorCode(std::uint8_t speedPosition, std::uint8_t automaticClock);

// The three timer codes as the lists show them.
struct TimerCodes {
    std::uint8_t suspend = 0;
    std::uint8_t lcdOff = 0;
    std::uint8_t hddOff = 0;
};

// What the "Setting details" area shows for a power mode. The CD-ROM row is
// never part of it.
struct DetailsDisplay {
    bool timerListsShown = true;     // false: the "Automatic" placeholders instead
    bool timerListsEnabled = false;
    bool selectTimers = false;       // select timers (or clear the lists) ...
    bool timersKnown = false;        // ... with these codes, or with none
    TimerCodes timers;
    std::uint8_t speedPosition = 0;  // selected in the processor list
    bool automaticClock = false;     // the check box
    bool processorEnabled = false;
    bool automaticClockEnabled = false;
};

// The display of mode for settings. defaults are the machine's default timers
// for maximum performance (nullptr when they could not be read). False for a
// mode that has no display.
bool DisplayForMode(std::uint8_t mode, const PowerModeSettings& settings, const TimerCodes* defaults,
                    DetailsDisplay& display);
