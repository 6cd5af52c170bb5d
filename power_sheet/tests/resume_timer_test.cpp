// The resume timer's BCD, the calendar, and the checks before it is written.
#include <gtest/gtest.h>

#include "power_sheet/core/resume_timer.h"

namespace {

TEST(Bcd, ConvertsBytesAndYears) {
    for (unsigned v = 0; v <= 99; ++v) EXPECT_EQ(BcdToBinary(BinaryToBcd(static_cast<std::uint8_t>(v))), v);
    EXPECT_EQ(BinaryToBcd(59), 0x59);
    EXPECT_EQ(BcdToBinary(0x23), 23);
    EXPECT_EQ(YearToBcd(2099), 0x2099);
    EXPECT_EQ(YearToBcd(1981), 0x1981);
    EXPECT_EQ(YearFromBcd(0x1999), 1999);
    EXPECT_EQ(YearFromBcd(0x2000), 2000);
}

TEST(Calendar, DaysOfEachMonthWithTheLeapYears) {
    const unsigned days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    for (unsigned m = 1; m <= 12; ++m) EXPECT_EQ(DaysInMonth(m, 1999), days[m - 1]) << m;
    EXPECT_EQ(DaysInMonth(2, 2000), 29u);
    EXPECT_EQ(DaysInMonth(2, 2004), 29u);
    EXPECT_EQ(DaysInMonth(2, 2100), 28u);
    EXPECT_EQ(DaysInMonth(0, 2000), 0u);
    EXPECT_EQ(DaysInMonth(13, 2000), 0u);
}

TEST(Calendar, DecodesTheWireAndTakesEveryDayAsFirstOfJanuary2000) {
    const ResumeTimer timer = DecodeResumeTimer({1, 0x23, 0x59, 0x58, 0x1231, 0x2099});
    EXPECT_EQ(timer.enabled, 1);
    EXPECT_EQ(timer.hours, 23u);
    EXPECT_EQ(timer.minutes, 59u);
    EXPECT_EQ(timer.seconds, 58u);
    EXPECT_EQ(timer.month, 12u);
    EXPECT_EQ(timer.day, 31u);
    EXPECT_EQ(timer.year, 2099u);
    const LastValidTime last = LastValidFromTimer(timer);
    EXPECT_EQ(last.day, 31u);
    EXPECT_EQ(last.year, 2099u);

    const ResumeTimer everyDay = DecodeResumeTimer({1, 0x07, 0x30, 0, 0, 0});
    EXPECT_TRUE(everyDay.EveryDay());
    const LastValidTime first = LastValidFromTimer(everyDay);
    EXPECT_EQ(first.day, 1u);
    EXPECT_EQ(first.year, 2000u);
    EXPECT_EQ(first.hours, 7u);
}

TEST(ParseField, TakesDecimalDigitsOnly) {
    EXPECT_EQ(ParseField("2004"), 2004);
    EXPECT_EQ(ParseField(" 7 "), 7);
    EXPECT_EQ(ParseField("0"), 0);
    for (const char* text : {"", " ", "1a", "-1", "+3", "1.5", "x", "123456"}) EXPECT_EQ(ParseField(text), -1) << text;
    EXPECT_EQ(ParseField(nullptr), -1);
}

ResumeInput On(int month, long day, long year, long hours = 12, long minutes = 0, long seconds = 0) {
    ResumeInput input;
    input.enabled = true;
    input.month = month;
    input.day = day;
    input.year = year;
    input.hours = hours;
    input.minutes = minutes;
    input.seconds = seconds;
    return input;
}

TEST(CheckResumeInput, RefusesDatesAndTimesOutsideTheCalendarAndTheClock) {
    struct Case {
        const char* name;
        ResumeInput input;
        bool write;
        bool day, year, hours, minutes, seconds;  // fields put back
    };
    const Case cases[] = {
        {"29 February 2000", On(2, 29, 2000), true, false, false, false, false, false},
        {"29 February 2004", On(2, 29, 2004), true, false, false, false, false, false},
        {"29 February 1999", On(2, 29, 1999), false, true, false, false, false, false},
        {"31 April", On(4, 31, 2001), false, true, false, false, false, false},
        {"day 0", On(1, 0, 2001), false, true, false, false, false, false},
        {"1980", On(1, 1, 1980), false, false, true, false, false, false},
        {"2100", On(1, 1, 2100), false, false, true, false, false, false},
        {"1981", On(1, 1, 1981), true, false, false, false, false, false},
        {"24 hours", On(1, 1, 2001, 24), false, false, false, true, false, false},
        {"60 minutes", On(1, 1, 2001, 0, 60), false, false, false, false, true, false},
        {"60 seconds", On(1, 1, 2001, 0, 0, 60), false, false, false, false, false, true},
        {"not a number", On(1, -1, 2001, 0, -1, 0), false, true, false, false, true, false},
    };
    for (const Case& c : cases) {
        LastValidTime last;
        const ResumeVerdict v = CheckResumeInput(c.input, last);
        EXPECT_EQ(v.write, c.write) << c.name;
        EXPECT_EQ(v.restoreDay, c.day) << c.name;
        EXPECT_EQ(v.restoreYear, c.year) << c.name;
        EXPECT_EQ(v.restoreHours, c.hours) << c.name;
        EXPECT_EQ(v.restoreMinutes, c.minutes) << c.name;
        EXPECT_EQ(v.restoreSeconds, c.seconds) << c.name;
        // Only valid input becomes the last valid values.
        EXPECT_EQ(last.year, c.write ? static_cast<unsigned>(c.input.year) : 2000u) << c.name;
    }
}

TEST(CheckResumeInput, EncodesTheTimerForTheWire) {
    LastValidTime last;
    ResumeVerdict v = CheckResumeInput(On(12, 31, 2099, 23, 59, 59), last);
    ASSERT_TRUE(v.write);
    EXPECT_EQ(v.wire.enabled, 1);
    EXPECT_EQ(v.wire.hours, 0x23);
    EXPECT_EQ(v.wire.minutes, 0x59);
    EXPECT_EQ(v.wire.seconds, 0x59);
    EXPECT_EQ(v.wire.date, 0x1231);
    EXPECT_EQ(v.wire.year, 0x2099);
    EXPECT_EQ(last.day, 31u);
    EXPECT_EQ(last.hours, 23u);

    // Every day: date and year 0 whatever the date fields hold; the time counts.
    ResumeInput everyDay = On(2, 31, 1900, 6, 5, 4);
    everyDay.everyDay = true;
    v = CheckResumeInput(everyDay, last);
    ASSERT_TRUE(v.write);
    EXPECT_EQ(v.wire.date, 0);
    EXPECT_EQ(v.wire.year, 0);
    EXPECT_EQ(v.wire.hours, 0x06);
    EXPECT_EQ(v.wire.seconds, 0x04);
    everyDay.hours = 25;
    EXPECT_FALSE(CheckResumeInput(everyDay, last).write) << "an impossible time is not set to wake the machine";

    // Off: written as it stands, without checks; what BCD cannot hold goes as
    // the last valid value.
    ResumeInput off = On(4, 31, 1980, 30, -1, 7);
    off.enabled = false;
    last = LastValidTime{};
    last.minutes = 15;
    v = CheckResumeInput(off, last);
    ASSERT_TRUE(v.write);
    EXPECT_EQ(v.wire.enabled, 0);
    EXPECT_EQ(v.wire.date, 0x0431);
    EXPECT_EQ(v.wire.year, 0x1980);
    EXPECT_EQ(v.wire.hours, 0x30);
    EXPECT_EQ(v.wire.minutes, 0x15);
    EXPECT_EQ(v.wire.seconds, 0x07);
}

}  // namespace
