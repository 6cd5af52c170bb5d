#include "config_utility/core/frame_layout.h"

#include <cstring>
#include <initializer_list>

#include "resources/merovant/resource.h"

FrameBounds MainFrameBounds(const FrameMetrics& m) {
    int extra;
    if (m.menuHeight < 24) {
        extra = m.menuHeight + 314;
    } else if (m.menuHeight == 24) {
        extra = 365;
    } else {
        extra = 2 * m.menuHeight + 3 * ((m.menuHeight + 3) / 19) + 314;
    }
    FrameBounds r;
    r.width = 2 * m.borderWidth + 503;
    r.height = m.captionHeight + 2 * m.borderHeight + extra;
    r.left = (m.screenWidth - r.width) / 2;
    r.top = (m.screenHeight - r.height) / 2;
    return r;
}

ToolbarEntryStyle ToolbarEntryStyleAt(int index) {
    if ((index >= 0 && index <= 2) || (index >= 8 && index <= 10) || index == 17 || index == 18)
        return ToolbarEntryStyle::CheckGroup;
    if (index == 26) return ToolbarEntryStyle::Button;
    return ToolbarEntryStyle::Separator;
}

int ToolbarResourceFor(std::uint8_t powerSource) {
    if (powerSource == kExternalPower) return IDR_TOOLBAR_AC;
    if (powerSource == kBatteryPower) return IDR_TOOLBAR_BATTERY;
    return 0;
}

namespace {

constexpr PowerModeGroup kAcGroup = {
    kSelectorAc, {ID_POWER_AC_PERFORMANCE, ID_POWER_AC_BATTERY_LIFE, ID_POWER_AC_CUSTOMIZED}};
constexpr PowerModeGroup kBatteryGroup = {
    kSelectorBattery,
    {ID_POWER_BATTERY_PERFORMANCE, ID_POWER_BATTERY_BATTERY_LIFE, ID_POWER_BATTERY_CUSTOMIZED}};

}  // namespace

const PowerModeGroup* PowerModeGroupFor(std::uint8_t powerSource) {
    if (powerSource == kExternalPower) return &kAcGroup;
    if (powerSource == kBatteryPower) return &kBatteryGroup;
    return nullptr;
}

bool PowerModeOfCommand(int command, const PowerModeGroup*& group, std::uint8_t& mode) {
    for (const PowerModeGroup* g : {&kAcGroup, &kBatteryGroup}) {
        for (std::uint8_t m = 0; m < 3; ++m) {
            if (g->commands[m] == command) {
                group = g;
                mode = m;
                return true;
            }
        }
    }
    return false;
}

int DisplayButtonFor(std::uint8_t display) {
    switch (display) {
        case kDisplayExternal: return ID_DISPLAY_EXTERNAL;
        case kDisplayLcd: return ID_DISPLAY_LCD;
        case kDisplayBoth: return ID_DISPLAY_BOTH;
        default: return 0;
    }
}

int ScreenBlankButtonFor(std::uint8_t state) {
    switch (state) {
        case 0: return ID_SCREEN_BLANK_ENABLE;
        case 1: return ID_SCREEN_BLANK_DISABLE;
        default: return 0;
    }
}

bool PadsMenuTitles(const char* systemLanguageId) {
    return std::strcmp(systemLanguageId, "0404") == 0 || std::strcmp(systemLanguageId, "0C04") == 0 ||
           std::strcmp(systemLanguageId, "0c04") == 0;
}
