#include "config_utility/pages/lcd_page.h"

#include "config_utility/pages/control_panels.h"
#include "machine_control/core/machine_operations.h"
#include "resources/merovant/resource.h"

namespace {

constexpr ControlText kTexts[] = {
    {IDC_SCREEN_BLANKING, IDS_SCREEN_BLANKING},
    {IDC_SCREEN_BLANKING_ENABLE, IDS_ENABLE},
    {IDC_SCREEN_BLANKING_DISABLE, IDS_DISABLE},
    {IDC_BRIGHTNESS, IDS_BRIGHTNESS},
    {IDC_BRIGHTNESS_HIGH, IDS_BRIGHTNESS_HIGH},
    {IDC_BRIGHTNESS_NORMAL, IDS_BRIGHTNESS_NORMAL},
    {IDC_SCREEN_EXPANSION, IDS_SCREEN_EXPANSION},
    {IDC_SCREEN_EXPANSION_ENABLE, IDS_ENABLE},
    {IDC_SCREEN_EXPANSION_DISABLE, IDS_DISABLE},
    {IDC_DISPLAY_PROPERTIES, IDS_DISPLAY_PROPERTIES},
};

// Written in this order: blanking, brightness, expansion.
constexpr SettingGroup kGroups[] = {
    {
        {{IDC_SCREEN_BLANKING_ENABLE, 0}, {IDC_SCREEN_BLANKING_DISABLE, 1}},
        [](GroupReading& reading) {
            std::uint8_t state = 0;
            if (!GetScreenBlank(state)) return false;
            reading.checked = state == 0 ? IDC_SCREEN_BLANKING_ENABLE : IDC_SCREEN_BLANKING_DISABLE;
            return true;
        },
        [](std::uint32_t value) { SetScreenBlank(value); },
    },
    {
        {{IDC_BRIGHTNESS_HIGH, 0}, {IDC_BRIGHTNESS_NORMAL, 1}},
        [](GroupReading& reading) {
            std::uint8_t mode = 0;
            if (!GetBrightMode(mode)) return false;
            reading.checked = mode == 0 ? IDC_BRIGHTNESS_HIGH : IDC_BRIGHTNESS_NORMAL;
            return true;
        },
        [](std::uint32_t value) { SetBrightMode(static_cast<std::uint8_t>(value)); },
    },
    {
        {{IDC_SCREEN_EXPANSION_ENABLE, 1}, {IDC_SCREEN_EXPANSION_DISABLE, 0}},
        [](GroupReading& reading) {
            std::uint8_t state = 0xFF;
            if (!GetScreenExpansion(state)) return false;
            reading.checked = state == 1 ? IDC_SCREEN_EXPANSION_ENABLE
                              : state == 0 ? IDC_SCREEN_EXPANSION_DISABLE
                                           : 0;
            return true;
        },
        [](std::uint32_t value) { EnableScreenExpansion(value); },
    },
};

constexpr ControlPanelButton kControlPanels[] = {{IDC_DISPLAY_PROPERTIES, kDisplayControlPanel}};

constexpr DevicePageLayout kLayout{IDD_LCD, IDS_LCD_CAPTION, kTexts, kGroups, kControlPanels, false};

}  // namespace

CLcdPage::CLcdPage(MerovantContext& context) : CDevicePage(context, kLayout) {}
