#include <gtest/gtest.h>

#include "hotkey_service/core/hotkey_event.h"

TEST(KeyNumberFromMask, LowestSetBitWinsAndEmptyMaskIsKeyNine) {
    const struct {
        std::uint8_t mask;
        int key;
    } cases[] = {{0x00, 9}, {0x01, 1}, {0x06, 2}, {0x80, 8}, {0xFF, 1}, {0x40, 7}};
    for (const auto& c : cases) EXPECT_EQ(KeyNumberFromMask(c.mask), c.key) << int(c.mask);
}

TEST(ActionForKey, GroupTwoShutsDownOnSevenAndEightAndElseCommandsThePlayer) {
    EXPECT_EQ(ActionForKey(2, 7), HotkeyAction::ReleaseAndShutdown);
    EXPECT_EQ(ActionForKey(2, 8), HotkeyAction::ForceShutdown);
    for (int key : {1, 2, 3, 4, 5, 6, 9}) EXPECT_EQ(ActionForKey(2, key), HotkeyAction::ControlAudioPlayer);
    EXPECT_EQ(ActionForKey(0, 7), HotkeyAction::LaunchFunctionProgram);
    for (std::uint8_t group : {1, 3, 0xFF}) EXPECT_EQ(ActionForKey(group, 8), HotkeyAction::LaunchNumberProgram);
}

TEST(AudioPlayerCommand, FourKeysPostAndTheOthersDoNot) {
    const std::uint32_t expected[] = {0x07D003F2u, 0x07D003F0u, 0x07D01B8Bu, 0x07D01B8Au};
    for (int key = 1; key <= 4; ++key) {
        std::uint32_t wParam = 0;
        ASSERT_TRUE(AudioPlayerCommand(key, wParam));
        EXPECT_EQ(wParam, expected[key - 1]);
    }
    for (int key : {5, 6, 9}) {
        std::uint32_t wParam = 123;
        EXPECT_FALSE(AudioPlayerCommand(key, wParam));
        EXPECT_EQ(wParam, 123u);
    }
}
