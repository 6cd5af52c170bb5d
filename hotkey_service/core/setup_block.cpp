#include "hotkey_service/core/setup_block.h"

#include <cstring>

namespace {

std::uint8_t GroupEnabled(const char* value) { return value[0] == '0' ? 0 : 1; }

}  // namespace

bool BuildHotkeySetupBlock(const HotkeyServiceValues& values, HotkeySetupBlock& block, const char*& missingValue) {
    const struct {
        const char* name;
        const char* value;
    } groups[] = {
        {"Function", values.function},
        {"Number", values.number},
        {"Playstation", values.playstation},
        {"Shutdown", values.shutdown},
    };
    for (const auto& group : groups) {
        if (group.value == nullptr) {
            missingValue = group.name;
            return false;
        }
    }
    HotkeySetupBlock result{};
    result.functionEnabled = GroupEnabled(values.function);
    result.numberEnabled = GroupEnabled(values.number);
    result.playstationEnabled = GroupEnabled(values.playstation);
    result.shutdownEnabled = GroupEnabled(values.shutdown);
    if (values.pollingTime != nullptr && values.pollingTimeSize >= sizeof result.pollingTime) {
        std::memcpy(result.pollingTime, values.pollingTime, sizeof result.pollingTime);
    } else {
        for (unsigned i = 0; i < sizeof result.pollingTime; ++i)
            result.pollingTime[i] = static_cast<std::uint8_t>(kDefaultPollingTime >> (8 * i));
    }
    block = result;
    return true;
}
