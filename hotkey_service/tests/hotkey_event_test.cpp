#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <iterator>

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

// Every group and mask an event block can carry, against expectations built
// from the keyboard's layout (bit k of the mask is key k+1, the lowest one
// pressed wins, no bit is key 9; group 2 is the play-station row with the two
// shutdown keys) rather than from the decoder's own steps.
TEST(DecodeHotkeyEvent, EveryGroupAndMaskPair) {
    const HotkeyAction kPlaystationRow[] = {
        HotkeyAction::ControlAudioPlayer, HotkeyAction::ControlAudioPlayer, HotkeyAction::ControlAudioPlayer,
        HotkeyAction::ControlAudioPlayer, HotkeyAction::ControlAudioPlayer, HotkeyAction::ControlAudioPlayer,
        HotkeyAction::ReleaseAndShutdown, HotkeyAction::ForceShutdown,      HotkeyAction::ControlAudioPlayer};
    unsigned wrong = 0;
    for (unsigned group = 0; group <= 0xFF; ++group) {
        for (unsigned mask = 0; mask <= 0xFF; ++mask) {
            const int key = mask == 0 ? 9 : std::countr_zero(mask) + 1;
            const HotkeyAction action = group == 2   ? kPlaystationRow[key - 1]
                                        : group == 0 ? HotkeyAction::LaunchFunctionProgram
                                                     : HotkeyAction::LaunchNumberProgram;
            HotkeyEventBlock event{};
            event.group = std::uint8_t(group);
            event.keyMask = std::uint8_t(mask);
            std::fill(std::begin(event.unused), std::end(event.unused), std::uint8_t(group ^ mask));
            const HotkeyKey decoded = DecodeHotkeyEvent(event);
            if (decoded.action != action || decoded.number != key || decoded.digit != "123456789"[key - 1]) {
                if (wrong++ < 5) ADD_FAILURE() << "group " << group << " mask " << mask;
            }
        }
    }
    EXPECT_EQ(wrong, 0u);
}

TEST(TakeHotkeyEvent, AnAnswerMustCarryTheMaskAndFitTheBlock) {
    HotkeyEventBlock answer{};
    answer.group = 2;
    answer.keyMask = 0x40;
    const struct {
        std::size_t returned;
        bool taken;
    } cases[] = {{0, false}, {2, false}, {3, true}, {12, true}, {13, false}, {0xFFFFFFFF, false}};
    for (const auto& c : cases) {
        HotkeyEventBlock event{};
        event.group = 9;
        EXPECT_EQ(TakeHotkeyEvent(answer, c.returned, event), c.taken) << c.returned;
        EXPECT_EQ(event.group, c.taken ? 2 : 9) << c.returned;
    }
}
