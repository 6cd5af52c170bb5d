// The gauge's choices of picture, icon and text.
#include <gtest/gtest.h>

#include "fuel_gauge/core/fuel_status.h"
#include "fuel_gauge/core/fuel_tooltip.h"
#include "resources/fuel/resource.h"

namespace {

TEST(FuelLevel, PictureByTenthOfChargeRoundedUp) {
    struct Case {
        int percent, level, picture, charging;
    };
    const Case cases[] = {
        {0, 0, 205, 204},   {1, 1, 185, 184},   {10, 1, 185, 184},  {11, 2, 187, 186},
        {50, 5, 193, 192},  {90, 9, 201, 200},  {91, 10, 203, 202}, {100, 10, 203, 202},
    };
    for (const Case& c : cases) {
        const auto level = LevelFromPercent(static_cast<std::uint8_t>(c.percent));
        EXPECT_EQ(level, c.level) << c.percent << " %";
        EXPECT_EQ(BatteryPictureFor(level, false, false), c.picture) << c.percent << " %";
        EXPECT_EQ(BatteryPictureFor(level, true, false), c.charging) << c.percent << " %";
        EXPECT_EQ(BatteryPictureFor(level, true, true), IDB_FUEL_UNKNOWN);
    }
}

TEST(FuelLevel, TrayIconByPercentOnBatteryAndProgramIconOnAc) {
    const std::pair<int, int> cases[] = {{0, 184},  {9, 184},  {10, 185}, {30, 185}, {31, 186}, {50, 186},
                                         {51, 187}, {70, 187}, {71, 188}, {90, 188}, {91, 189}, {100, 189}};
    for (const auto& [percent, icon] : cases) {
        EXPECT_EQ(TrayIconFor(kFuelSourceBattery, static_cast<std::uint8_t>(percent)), icon) << percent << " %";
        EXPECT_EQ(TrayIconFor(kFuelSourceAc, static_cast<std::uint8_t>(percent)), IDI_FUEL_PROGRAM);
    }
}

TEST(FuelLevel, FlagsAndImpossiblePercentsMakeTheChargeUnknown) {
    EXPECT_FALSE(ChargeUnknown(0x08, 50));
    EXPECT_TRUE(ChargeUnknown(0x10, 50));
    EXPECT_TRUE(ChargeUnknown(0x80, 50));
    EXPECT_TRUE(ChargeUnknown(0x90, 50));
    EXPECT_FALSE(ChargeUnknown(0x00, 100));
    EXPECT_TRUE(ChargeUnknown(0x00, 101)) << "a battery has no more than 100 %";
    EXPECT_TRUE(ChargingFlag(0x98));
    EXPECT_FALSE(ChargingFlag(0x90));
}

TEST(FuelModes, IconAndTooltipBySourceAndMode) {
    struct Case {
        std::uint8_t source, mode;
        int icon, prefix;
    };
    const Case cases[] = {
        {kFuelSourceAc, 0, 138, 14},      {kFuelSourceAc, 1, 141, 16},      {kFuelSourceAc, 2, 178, 12},
        {kFuelSourceBattery, 0, 139, 15}, {kFuelSourceBattery, 1, 142, 17}, {kFuelSourceBattery, 2, 179, 13},
        {kFuelSourceAc, 3, 0, 0},         {kFuelSourceUnknown, 0, 0, 0},    {3, 1, 0, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ModeIconFor(c.source, c.mode), c.icon) << int(c.source) << "/" << int(c.mode);
        EXPECT_EQ(TooltipPrefixFor(c.source, c.mode), c.prefix) << int(c.source) << "/" << int(c.mode);
    }
}

TEST(FuelModes, DoubleClickCyclesTheShownSourcesModes) {
    int icon = IDI_FUEL_AC_PERFORMANCE;
    const std::uint8_t expected[] = {1, 2, 0};
    for (std::uint8_t mode : expected) {
        ModeSwitch next{};
        ASSERT_TRUE(NextModeSwitch(kFuelSourceAc, icon, next));
        EXPECT_EQ(next.selector, 1);
        EXPECT_EQ(next.mode, mode);
        EXPECT_EQ(next.icon, ModeIconFor(kFuelSourceAc, mode));
        EXPECT_EQ(next.prefix, TooltipPrefixFor(kFuelSourceAc, mode));
        icon = next.icon;
    }
    EXPECT_EQ(icon, IDI_FUEL_AC_PERFORMANCE);

    ModeSwitch next{};
    ASSERT_TRUE(NextModeSwitch(kFuelSourceBattery, IDI_FUEL_BATTERY_CUSTOMIZED, next));
    EXPECT_EQ(next.selector, 2);
    EXPECT_EQ(next.mode, 0);
    EXPECT_EQ(next.icon, IDI_FUEL_BATTERY_PERFORMANCE);
    // No icon yet, or one of the other source: nothing to switch.
    EXPECT_FALSE(NextModeSwitch(kFuelSourceAc, 0, next));
    EXPECT_FALSE(NextModeSwitch(kFuelSourceAc, IDI_FUEL_BATTERY_LIFE, next));
    EXPECT_FALSE(NextModeSwitch(kFuelSourceUnknown, IDI_FUEL_AC_LIFE, next));
}

TEST(FuelTooltip, PercentTextsAndTheCut) {
    EXPECT_EQ(ExpandPercent("%d%%", 37), "37%");
    EXPECT_EQ(ExpandPercent(" ( %d%% )", 100), " ( 100% )");
    // Nothing but %d and %% is expanded: a translation cannot read arguments.
    EXPECT_EQ(ExpandPercent("%s %n %", 5), "%s %n %");

    EXPECT_EQ(BuildTooltip("Fuel Customized AC ", ExpandPercent(" ( %d%% )", 5)), "Fuel Customized AC  ( 5% )");
    EXPECT_EQ(BuildTooltip("Fuel Maximum Battery Life Battery", " ( Unknown remaining )"),
              "Fuel Maximum Battery Life Battery ( Unknown remaining )");
    const std::string long62(62, 'x');
    EXPECT_EQ(BuildTooltip(long62, "ab"), long62 + "a");
    EXPECT_EQ(BuildTooltip(long62 + "a", ""), long62 + "a");
}

}  // namespace
