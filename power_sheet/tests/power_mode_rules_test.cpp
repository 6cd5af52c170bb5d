// The processor code and what the details area shows for each power mode.
#include <gtest/gtest.h>

#include "power_sheet/core/power_mode_rules.h"

namespace {

TEST(ProcessorCode, SplitsIntoSpeedAndAutomaticClockAndBack) {
    struct Case {
        std::uint8_t code, speed, automatic;
    };
    const Case cases[] = {{0, 0, 0}, {1, 1, 0}, {2, 2, 0}, {3, 1, 1}, {4, 2, 1}};
    for (const Case& c : cases) {
        std::uint8_t speed = 9, automatic = 9;
        ASSERT_TRUE(DecodeProcessorCode(c.code, speed, automatic)) << int(c.code);
        EXPECT_EQ(speed, c.speed) << int(c.code);
        EXPECT_EQ(automatic, c.automatic) << int(c.code);
        EXPECT_EQ(EncodeProcessorCode(speed, automatic), c.code);
    }
    std::uint8_t speed = 9, automatic = 7;
    EXPECT_FALSE(DecodeProcessorCode(5, speed, automatic));
    EXPECT_FALSE(DecodeProcessorCode(0xFF, speed, automatic));
    EXPECT_EQ(speed, 9);
    EXPECT_EQ(automatic, 7);
}

TEST(DisplayForMode, EachModeShowsItsOwnDetails) {
    PowerModeSettings settings;
    settings.suspendTimer = 5;
    settings.lcdOffTimer = 4;
    settings.hddOffTimer = 2;
    settings.speedPosition = 2;
    settings.automaticClock = 1;
    const TimerCodes defaults{1, 6, 3};
    DetailsDisplay d;

    // Maximum performance: the defaults, read-only, at full speed.
    ASSERT_TRUE(DisplayForMode(0, settings, &defaults, d));
    EXPECT_TRUE(d.timerListsShown && d.selectTimers && d.timersKnown);
    EXPECT_FALSE(d.timerListsEnabled || d.processorEnabled || d.automaticClockEnabled || d.automaticClock);
    EXPECT_EQ(d.timers.suspend, 1);
    EXPECT_EQ(d.timers.lcdOff, 6);
    EXPECT_EQ(d.timers.hddOff, 3);
    EXPECT_EQ(d.speedPosition, 0);
    // Without defaults the lists are left without a selection.
    ASSERT_TRUE(DisplayForMode(0, settings, nullptr, d));
    EXPECT_TRUE(d.selectTimers);
    EXPECT_FALSE(d.timersKnown);

    // Maximum battery life: "Automatic" in place of the lists.
    ASSERT_TRUE(DisplayForMode(1, settings, &defaults, d));
    EXPECT_FALSE(d.timerListsShown || d.selectTimers || d.processorEnabled || d.automaticClock);
    EXPECT_EQ(d.speedPosition, 0);

    // Customized: the stored set, all of it editable.
    ASSERT_TRUE(DisplayForMode(2, settings, &defaults, d));
    EXPECT_TRUE(d.timerListsShown && d.timerListsEnabled && d.selectTimers && d.timersKnown);
    EXPECT_EQ(d.timers.suspend, 5);
    EXPECT_EQ(d.timers.lcdOff, 4);
    EXPECT_EQ(d.timers.hddOff, 2);
    EXPECT_EQ(d.speedPosition, 2);
    EXPECT_TRUE(d.automaticClock && d.processorEnabled && d.automaticClockEnabled);
    // At "Maximum" the automatic clock cannot be chosen.
    settings.speedPosition = 0;
    settings.automaticClock = 0;
    ASSERT_TRUE(DisplayForMode(2, settings, &defaults, d));
    EXPECT_TRUE(d.processorEnabled);
    EXPECT_FALSE(d.automaticClockEnabled);

    DetailsDisplay untouched;
    untouched.speedPosition = 2;
    EXPECT_FALSE(DisplayForMode(3, settings, &defaults, untouched));
    EXPECT_EQ(untouched.speedPosition, 2);
}

}  // namespace
