// What one hot-key event asks the service to do.
#pragma once

#include <cstddef>
#include <cstdint>

#include "machine_control/protocols/hotkey_protocol.h"

// Key number 1 to 9 from the event's bit mask: the lowest set bit k gives k+1,
// an empty mask gives 9.
int KeyNumberFromMask(std::uint8_t mask);

enum class HotkeyAction {
    ReleaseAndShutdown,   // group 2 key 7: release request, then shut down
    ForceShutdown,        // group 2 key 8: forced shut down, no release request
    ControlAudioPlayer,   // group 2, every other key
    LaunchFunctionProgram,  // group 0
    LaunchNumberProgram,    // every other group
};

HotkeyAction ActionForKey(std::uint8_t group, int keyNumber);

// The driver's answer to the event request, `returned` bytes written into the
// block it was sent (`answer`, a whole block). False, leaving `event` alone,
// when the answer is too short to carry the group and the key mask, or claims
// more bytes than the block has.
bool TakeHotkeyEvent(const HotkeyEventBlock& answer, std::size_t returned, HotkeyEventBlock& event);

// What one event asks for: the action, and the key as number and digit.
struct HotkeyKey {
    HotkeyAction action;
    int number;  // 1 to 9
    char digit;  // '1' to '9', the launch key's last character
};
HotkeyKey DecodeHotkeyEvent(const HotkeyEventBlock& event);

// The wParam of the "Audio AppMes" message for a play-station key; false for
// the keys that post nothing.
bool AudioPlayerCommand(int keyNumber, std::uint32_t& wParam);
