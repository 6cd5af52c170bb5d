// The main frame's size, place and toolbar layout.
#include <gtest/gtest.h>

#include "config_utility/core/frame_layout.h"
#include "resources/merovant/resource.h"

namespace {

TEST(MainFrameBounds, HeightFollowsTheMenuBarHeight) {
    struct Case {
        int menuHeight;
        int extra;  // height beyond caption and two borders
    };
    const Case cases[] = {{19, 333}, {23, 337}, {24, 365}, {25, 2 * 25 + 3 * 1 + 314}, {38, 396}};
    for (const Case& c : cases) {
        const FrameBounds r = MainFrameBounds({1, 1, 18, c.menuHeight, 1024, 768});
        EXPECT_EQ(r.height, 18 + 2 + c.extra) << "menu height " << c.menuHeight;
        EXPECT_EQ(r.width, 2 + 503);
    }
}

TEST(MainFrameBounds, IsCentredAndTruncatesTowardZero) {
    const FrameBounds r = MainFrameBounds({1, 1, 18, 19, 800, 600});
    EXPECT_EQ(r.left, (800 - 505) / 2);
    EXPECT_EQ(r.top, (600 - 353) / 2);
    // A screen smaller than the window puts it partly off the top left.
    const FrameBounds small = MainFrameBounds({1, 1, 18, 19, 500, 300});
    EXPECT_EQ(small.left, -2);  // -5 / 2
    EXPECT_EQ(small.top, -26);  // -53 / 2
}

TEST(ToolbarLayout, KeepsFourGroupsAndHelp) {
    int groups = 0, buttons = 0;
    for (int i = 0; i < kToolbarEntryCount; ++i) {
        const ToolbarEntryStyle s = ToolbarEntryStyleAt(i);
        groups += s == ToolbarEntryStyle::CheckGroup;
        buttons += s == ToolbarEntryStyle::Button;
    }
    EXPECT_EQ(groups, 8);
    EXPECT_EQ(buttons, 1);
    for (int i : {0, 2, 8, 10, 17, 18}) EXPECT_EQ(ToolbarEntryStyleAt(i), ToolbarEntryStyle::CheckGroup) << i;
    for (int i : {3, 7, 11, 16, 19, 25}) EXPECT_EQ(ToolbarEntryStyleAt(i), ToolbarEntryStyle::Separator) << i;
    EXPECT_EQ(ToolbarEntryStyleAt(26), ToolbarEntryStyle::Button);
}

TEST(ToolbarLayout, PowerModeGroupsBySourceAndBack) {
    EXPECT_EQ(ToolbarResourceFor(kExternalPower), IDR_TOOLBAR_AC);
    EXPECT_EQ(ToolbarResourceFor(kBatteryPower), IDR_TOOLBAR_BATTERY);
    EXPECT_EQ(ToolbarResourceFor(2), 0);
    EXPECT_EQ(PowerModeGroupFor(7), nullptr);

    for (std::uint8_t source : {kBatteryPower, kExternalPower}) {
        const PowerModeGroup* group = PowerModeGroupFor(source);
        ASSERT_NE(group, nullptr);
        EXPECT_EQ(group->selector, source == kBatteryPower ? kSelectorBattery : kSelectorAc);
        for (std::uint8_t mode = 0; mode < 3; ++mode) {
            const PowerModeGroup* found = nullptr;
            std::uint8_t foundMode = 9;
            ASSERT_TRUE(PowerModeOfCommand(group->commands[mode], found, foundMode));
            EXPECT_EQ(found, group);
            EXPECT_EQ(foundMode, mode);
        }
    }
    EXPECT_EQ(PowerModeGroupFor(kBatteryPower)->commands[2], ID_POWER_BATTERY_CUSTOMIZED);
    const PowerModeGroup* untouched = nullptr;
    std::uint8_t mode = 9;
    EXPECT_FALSE(PowerModeOfCommand(ID_DISPLAY_LCD, untouched, mode));
    EXPECT_EQ(untouched, nullptr);
    EXPECT_EQ(mode, 9);
}

TEST(MenuTitles, PaddedOnlyForTheTwoChineseLanguageIds) {
    EXPECT_TRUE(PadsMenuTitles("0404"));
    EXPECT_TRUE(PadsMenuTitles("0C04"));
    EXPECT_TRUE(PadsMenuTitles("0c04"));
    EXPECT_FALSE(PadsMenuTitles("0409"));
    EXPECT_FALSE(PadsMenuTitles("0804"));
    EXPECT_FALSE(PadsMenuTitles("0404 "));
    EXPECT_FALSE(PadsMenuTitles(""));
}

}  // namespace
