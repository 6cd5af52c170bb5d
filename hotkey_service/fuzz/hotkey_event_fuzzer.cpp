// libFuzzer entry: the hot-key driver's answer to the event request, its
// first input byte the count of bytes the driver says it wrote, the rest the
// block. A taken event decodes to a key 1 to 9 and an action of its group,
// and leads to the player command or launch key the service would use.
#include <cstdlib>
#include <cstring>

#include "hotkey_service/core/hotkey_event.h"
#include "hotkey_service/core/launch_key.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    HotkeyEventBlock answer{};
    std::memcpy(&answer, data + 1, size - 1 < sizeof answer ? size - 1 : sizeof answer);
    HotkeyEventBlock event{};
    event.group = 0xEE;
    if (!TakeHotkeyEvent(answer, data[0], event)) {
        if (event.group != 0xEE) std::abort();  // a refused answer changed the event
        return 0;
    }
    const HotkeyKey key = DecodeHotkeyEvent(event);
    if (key.number < 1 || key.number > 9 || key.digit != '0' + key.number) std::abort();
    const bool playstation = key.action == HotkeyAction::ControlAudioPlayer ||
                             key.action == HotkeyAction::ReleaseAndShutdown || key.action == HotkeyAction::ForceShutdown;
    if (playstation != (event.group == kPlaystationKeyGroup)) std::abort();
    std::uint32_t command = 0;
    if (key.action == HotkeyAction::ControlAudioPlayer && AudioPlayerCommand(key.number, command) && command == 0)
        std::abort();
    char path[kLaunchValueSize];
    if (!BuildLaunchKeyPath("SOFTWARE\\Merovant\\Hotkey", key.digit, path) ||
        path[std::strlen(path) - 1] != key.digit)
        std::abort();
    return 0;
}
