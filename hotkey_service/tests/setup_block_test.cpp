#include <gtest/gtest.h>

#include <cstring>

#include "hotkey_service/core/setup_block.h"

namespace {

HotkeyServiceValues AllOn() {
    HotkeyServiceValues values;
    values.function = "1";
    values.number = "1";
    values.playstation = "1";
    values.shutdown = "1";
    return values;
}

}  // namespace

TEST(BuildHotkeySetupBlock, ALeadingZeroClearsItsGroupAndAnythingElseLeavesItOn) {
    const struct {
        const char* function;
        std::uint8_t enabled;
    } cases[] = {{"0", 0}, {"0abc", 0}, {"01", 0}, {"", 1}, {"1", 1}, {"yes", 1}, {" 0", 1}};
    for (const auto& c : cases) {
        HotkeyServiceValues values = AllOn();
        values.function = c.function;
        HotkeySetupBlock block{};
        const char* missing = nullptr;
        ASSERT_TRUE(BuildHotkeySetupBlock(values, block, missing));
        EXPECT_EQ(block.functionEnabled, c.enabled) << '"' << c.function << '"';
        EXPECT_EQ(block.numberEnabled, 1);
    }
}

TEST(BuildHotkeySetupBlock, EachGroupHasItsOwnByte) {
    HotkeyServiceValues values = AllOn();
    values.number = "0";
    values.shutdown = "0";
    HotkeySetupBlock block{};
    const char* missing = nullptr;
    ASSERT_TRUE(BuildHotkeySetupBlock(values, block, missing));
    const std::uint8_t expected[12] = {0, 0, 0, 0, 1, 0, 1, 0, 10, 0, 0, 0};
    EXPECT_EQ(0, std::memcmp(&block, expected, sizeof expected));
}

TEST(BuildHotkeySetupBlock, PollingTimeIsItsFirstFourBytesOrTen) {
    HotkeyServiceValues values = AllOn();
    const std::uint8_t data[] = {0x34, 0x12, 0, 0, 0xEE};
    values.pollingTime = data;
    values.pollingTimeSize = sizeof data;
    HotkeySetupBlock block{};
    const char* missing = nullptr;
    ASSERT_TRUE(BuildHotkeySetupBlock(values, block, missing));
    EXPECT_EQ(0, std::memcmp(block.pollingTime, data, 4));

    values.pollingTimeSize = 3;  // too short to hold a number: counts as missing
    ASSERT_TRUE(BuildHotkeySetupBlock(values, block, missing));
    const std::uint8_t ten[] = {10, 0, 0, 0};
    EXPECT_EQ(0, std::memcmp(block.pollingTime, ten, 4));
}

TEST(BuildHotkeySetupBlock, NamesTheFirstMissingGroupValueAndLeavesTheBlock) {
    HotkeyServiceValues values = AllOn();
    values.playstation = nullptr;
    values.shutdown = nullptr;
    HotkeySetupBlock block{};
    block.functionEnabled = 7;
    const char* missing = nullptr;
    EXPECT_FALSE(BuildHotkeySetupBlock(values, block, missing));
    EXPECT_STREQ(missing, "Playstation");
    EXPECT_EQ(block.functionEnabled, 7);
}
