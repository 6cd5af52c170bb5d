// The machine view's layout, lamp rules and painting rule.
#include <gtest/gtest.h>

#include <set>

#include "config_utility/core/view_layout.h"
#include "resources/merovant/resource.h"

namespace {

TEST(ViewLayoutTest, PictureIsCopiedUnscaledOnlyWhenItNearlyFillsTheWindow) {
    struct Case {
        int bitmap, window;
        bool unscaled;
    };
    const Case cases[] = {
        {300, 330, true},    // 1.1 times the bitmap
        {300, 390, false},   // 1.3 times: stretched
        {300, 360, true},    // exactly 1.2 times
        {300, 361, false},
        {300, 300, true},
        {301, 300, false},   // larger than the window: stretched down
        {327, 327, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PaintsUnscaled(c.bitmap, c.window), c.unscaled) << c.bitmap << " in " << c.window;
}

TEST(ViewLayoutTest, SlotsSitInTwoColumnsWithTheirLampsOutside) {
    constexpr int kWidth = 503;
    const ViewRect serial = DeviceButtonRect(5, kWidth);
    EXPECT_EQ(serial.left, 10);
    EXPECT_EQ(serial.top, 180);
    EXPECT_EQ(serial.right, 42);
    EXPECT_EQ(serial.bottom, 216);
    const ViewRect lcd = DeviceButtonRect(7, kWidth);
    EXPECT_EQ(lcd.left, kWidth - 134);
    EXPECT_EQ(lcd.top, 0);
    EXPECT_EQ(DeviceButtonRect(13, kWidth).top, 216);
    EXPECT_EQ(LampRect(2, kWidth).left, 0);
    EXPECT_EQ(LampRect(2, kWidth).right, 10);
    EXPECT_EQ(LampRect(9, kWidth).left, kWidth - 102);
    EXPECT_EQ(LampRect(9, kWidth).right, kWidth - 92);
    const ViewRect picture = PictureRect(kWidth, 266);
    EXPECT_EQ(picture.left, 42);
    EXPECT_EQ(picture.right, kWidth - 134);
    EXPECT_EQ(picture.bottom, 266);
    EXPECT_EQ(ViewSwitchRect(2, kWidth).top, 120);
    EXPECT_EQ(ViewSwitchRect(2, kWidth).left, kWidth - 92);

    std::set<int> ids;
    for (const DeviceSlot& s : kDeviceSlots) {
        ids.insert(s.button);
        ids.insert(s.lamp);
    }
    EXPECT_EQ(ids.size(), 2u * kDeviceSlotCount) << "every control id once";
}

TEST(ViewLayoutTest, LampRulesAndThePagesThatChangeThem) {
    EXPECT_EQ(LampFromGlidenub(1), std::optional<bool>(true));
    EXPECT_EQ(LampFromGlidenub(0), std::optional<bool>(false));
    EXPECT_EQ(LampFromGlidenub(2), std::nullopt);
    EXPECT_TRUE(LampFromPortStatus(0x00));
    EXPECT_TRUE(LampFromPortStatus(0xFC));
    EXPECT_FALSE(LampFromPortStatus(0x01));
    EXPECT_FALSE(LampFromPortStatus(0x02));
    EXPECT_TRUE(LampFromSwitch(1));
    EXPECT_FALSE(LampFromSwitch(2));

    EXPECT_EQ(LampSlotOfCommand(ID_PAGE_GLIDENUB), 2);
    EXPECT_EQ(LampSlotOfCommand(ID_PAGE_PARALLEL_PORT), 4);
    EXPECT_EQ(LampSlotOfCommand(ID_PAGE_SERIAL_PORT), 5);
    EXPECT_EQ(LampSlotOfCommand(ID_PAGE_ACCESSIBILITY), 9);
    EXPECT_EQ(LampSlotOfCommand(ID_PAGE_INFRARED), 13);
    EXPECT_EQ(LampSlotOfCommand(ID_PAGE_LCD), std::nullopt) << "its lamp is always on";
    EXPECT_EQ(SlotOfButton(IDC_VIEW_INFRARED), 13);
    EXPECT_EQ(SlotOfButton(IDC_VIEW_FRONT), std::nullopt);
    EXPECT_EQ(ViewSwitchOfButton(IDC_VIEW_PORT_REPLICATOR), 2);
}

}  // namespace
