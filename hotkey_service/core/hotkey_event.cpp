#include "hotkey_service/core/hotkey_event.h"

int KeyNumberFromMask(std::uint8_t mask) {
    for (int bit = 0; bit < 8; ++bit) {
        if (mask & (1u << bit)) return bit + 1;
    }
    return 9;
}

HotkeyAction ActionForKey(std::uint8_t group, int keyNumber) {
    if (group == kPlaystationKeyGroup) {
        if (keyNumber == 7) return HotkeyAction::ReleaseAndShutdown;
        if (keyNumber == 8) return HotkeyAction::ForceShutdown;
        return HotkeyAction::ControlAudioPlayer;
    }
    return group == kFunctionKeyGroup ? HotkeyAction::LaunchFunctionProgram
                                     : HotkeyAction::LaunchNumberProgram;
}

bool TakeHotkeyEvent(const HotkeyEventBlock& answer, std::size_t returned, HotkeyEventBlock& event) {
    if (returned <= offsetof(HotkeyEventBlock, keyMask) || returned > sizeof answer) return false;
    event = answer;
    return true;
}

HotkeyKey DecodeHotkeyEvent(const HotkeyEventBlock& event) {
    const int number = KeyNumberFromMask(event.keyMask);
    return HotkeyKey{ActionForKey(event.group, number), number, static_cast<char>('0' + number)};
}

bool AudioPlayerCommand(int keyNumber, std::uint32_t& wParam) {
    static constexpr std::uint32_t kCommands[] = {0x07D003F2u, 0x07D003F0u, 0x07D01B8Bu, 0x07D01B8Au};
    if (keyNumber < 1 || keyNumber > 4) return false;
    wParam = kCommands[keyNumber - 1];
    return true;
}
