#include "power_sheet/core/resume_timer.h"

std::uint8_t BcdToBinary(std::uint8_t bcd) { return static_cast<std::uint8_t>(bcd - (bcd / 16) * 6); }

std::uint8_t BinaryToBcd(std::uint8_t value) { return static_cast<std::uint8_t>(value + (value / 10) * 6); }

std::uint16_t YearFromBcd(std::uint16_t bcd) {
    return static_cast<std::uint16_t>(BcdToBinary(static_cast<std::uint8_t>(bcd >> 8)) * 100 +
                                      BcdToBinary(static_cast<std::uint8_t>(bcd & 0xFF)));
}

std::uint16_t YearToBcd(std::uint16_t year) {
    return static_cast<std::uint16_t>(BinaryToBcd(static_cast<std::uint8_t>(year / 100 % 100)) << 8 |
                                      BinaryToBcd(static_cast<std::uint8_t>(year % 100)));
}

bool IsLeapYear(unsigned year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

unsigned DaysInMonth(unsigned month, unsigned year) {
    switch (month) {
        case 1: case 3: case 5: case 7: case 8: case 10: case 12: return 31;
        case 4: case 6: case 9: case 11: return 30;
        case 2: return IsLeapYear(year) ? 29 : 28;
        default: return 0;
    }
}

ResumeTimer DecodeResumeTimer(const ResumeTimerWire& wire) {
    ResumeTimer timer;
    timer.enabled = wire.enabled;
    timer.hours = BcdToBinary(wire.hours);
    timer.minutes = BcdToBinary(wire.minutes);
    timer.seconds = BcdToBinary(wire.seconds);
    timer.month = BcdToBinary(static_cast<std::uint8_t>(wire.date >> 8));
    timer.day = BcdToBinary(static_cast<std::uint8_t>(wire.date & 0xFF));
    timer.year = YearFromBcd(wire.year);
    return timer;
}

long ParseField(const char* text) {
    if (text == nullptr) return -1;
    while (*text == ' ') ++text;
    long value = 0;
    int digits = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        if (++digits > 5) return -1;
        value = value * 10 + (*text - '0');
    }
    while (*text == ' ') ++text;
    return digits > 0 && *text == '\0' ? value : -1;
}

LastValidTime LastValidFromTimer(const ResumeTimer& timer) {
    LastValidTime last{timer.day, timer.year, timer.hours, timer.minutes, timer.seconds};
    if (timer.day == 0 && timer.year == 0) {
        last.day = 1;
        last.year = 2000;
    }
    return last;
}

namespace {

// A field's value for the wire: its own when it fits in limit, else the
// last valid one.
unsigned Encodable(long value, unsigned limit, unsigned last) {
    return value >= 0 && value <= static_cast<long>(limit) ? static_cast<unsigned>(value) : last;
}

}  // namespace

ResumeVerdict CheckResumeInput(const ResumeInput& input, LastValidTime& last) {
    ResumeVerdict verdict;
    const unsigned month = input.month >= 1 && input.month <= 12 ? static_cast<unsigned>(input.month) : 0;
    const unsigned days = DaysInMonth(month, input.year > 0 ? static_cast<unsigned>(input.year) : 0);

    verdict.restoreDay = input.day <= 0 || input.day > static_cast<long>(days);
    verdict.restoreYear = input.year < 1981 || input.year > 2099;
    verdict.restoreHours = input.hours < 0 || input.hours > 23;
    verdict.restoreMinutes = input.minutes < 0 || input.minutes > 59;
    verdict.restoreSeconds = input.seconds < 0 || input.seconds > 59;
    const bool dateValid = !verdict.restoreDay && !verdict.restoreYear && month != 0;
    const bool timeValid = !verdict.restoreHours && !verdict.restoreMinutes && !verdict.restoreSeconds;

    if (dateValid && timeValid)
        last = {static_cast<unsigned>(input.day), static_cast<unsigned>(input.year),
                static_cast<unsigned>(input.hours), static_cast<unsigned>(input.minutes),
                static_cast<unsigned>(input.seconds)};

    // Off, the timer is stored as it stands; every day, the date does not count.
    if (!input.enabled)
        verdict.write = true;
    else if (input.everyDay)
        verdict.write = timeValid;
    else
        verdict.write = dateValid && timeValid;

    ResumeTimerWire& wire = verdict.wire;
    wire.enabled = input.enabled ? 1 : 0;
    wire.hours = BinaryToBcd(static_cast<std::uint8_t>(Encodable(input.hours, 99, last.hours)));
    wire.minutes = BinaryToBcd(static_cast<std::uint8_t>(Encodable(input.minutes, 99, last.minutes)));
    wire.seconds = BinaryToBcd(static_cast<std::uint8_t>(Encodable(input.seconds, 99, last.seconds)));
    if (!input.everyDay) {
        const unsigned day = Encodable(input.day, 99, last.day);
        wire.date = static_cast<std::uint16_t>(BinaryToBcd(static_cast<std::uint8_t>(month)) << 8 |
                                               BinaryToBcd(static_cast<std::uint8_t>(day)));
        wire.year = YearToBcd(static_cast<std::uint16_t>(Encodable(input.year, 9999, last.year)));
    }
    return verdict;
}
