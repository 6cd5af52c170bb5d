// The resume timer: its BCD encoding on the wire, the calendar, and the checks
// that the Suspend/Resume Options page makes before it writes the timer.
#pragma once

#include <cstdint>

// Two-digit BCD of 0 to 99 and back (a byte whose digits are not decimal
// converts by the same arithmetic and lands out of range).
std::uint8_t BcdToBinary(std::uint8_t bcd);
std::uint8_t BinaryToBcd(std::uint8_t value);
// Four-digit BCD years: the century in the high byte, the year within it in
// the low byte (0x1999 for 1999).
std::uint16_t YearFromBcd(std::uint16_t bcd);
std::uint16_t YearToBcd(std::uint16_t year);

bool IsLeapYear(unsigned year);
// Days of month (1 to 12) in year; 0 for a month outside 1 to 12.
unsigned DaysInMonth(unsigned month, unsigned year);

// The timer as the BIOS keeps it (GetResumeOnTimer / SetResumeOnTimer).
struct ResumeTimerWire {
    std::uint8_t enabled = 0;
    std::uint8_t hours = 0;    // BCD
    std::uint8_t minutes = 0;  // BCD
    std::uint8_t seconds = 0;  // BCD
    std::uint16_t date = 0;    // BCD month x 256 + BCD day; 0 every day
    std::uint16_t year = 0;    // four-digit BCD; 0 every day
};

// The timer in plain numbers; month, day and year all 0 mean every day.
struct ResumeTimer {
    std::uint8_t enabled = 0;
    unsigned month = 0, day = 0, year = 0;
    unsigned hours = 0, minutes = 0, seconds = 0;

    bool EveryDay() const { return month == 0 && day == 0 && year == 0; }
};

ResumeTimer DecodeResumeTimer(const ResumeTimerWire& wire);

// The number a field holds: decimal digits, blanks around them allowed; -1
// when the field holds anything else or more than five digits.
long ParseField(const char* text);

// The values the page puts back into fields whose input it refuses.
struct LastValidTime {
    unsigned day = 1, year = 2000, hours = 0, minutes = 0, seconds = 0;
};
// The last valid values of a timer just read: its own, or 1 January 2000 for
// an every-day timer.
LastValidTime LastValidFromTimer(const ResumeTimer& timer);

// What the page reads from its controls on apply; -1 for a field that is not
// a number.
struct ResumeInput {
    bool enabled = false;
    bool everyDay = false;
    int month = 0;  // 1 to 12; 0 when the list has no selection
    long day = 0, year = 0, hours = 0, minutes = 0, seconds = 0;
};

// The outcome of one apply: whether the timer is written, with what, and
// which fields show their last valid value again.
struct ResumeVerdict {
    bool write = false;
    ResumeTimerWire wire;
    bool restoreDay = false, restoreYear = false;
    bool restoreHours = false, restoreMinutes = false, restoreSeconds = false;
};

// Checks input against the calendar and the clock. Valid input becomes the
// last valid values. With the timer off nothing is checked and it is written
// as it stands; with "every day" the date goes as 0 and only the time is
// checked. A field that is not a number, or that is too large for its BCD
// digits, goes on the wire with its last valid value.
ResumeVerdict CheckResumeInput(const ResumeInput& input, LastValidTime& last);
