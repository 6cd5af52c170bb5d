#include "config_utility/pages/infrared_page.h"

#include "machine_control/core/machine_operations.h"
#include "resources/merovant/resource.h"

namespace {

constexpr ControlText kTexts[] = {
    {IDC_INFRARED_GROUP, IDS_INFRARED_GROUP},
    {IDC_INFRARED_ENABLE, IDS_ENABLE},
    {IDC_INFRARED_DISABLE, IDS_DISABLE},
};

constexpr SettingGroup kGroups[] = {{
    {{IDC_INFRARED_ENABLE, 1}, {IDC_INFRARED_DISABLE, 0}},
    [](GroupReading& reading) {
        std::uint8_t state = 0xFF;
        if (!GetInfraredStatus(state)) return false;
        reading.checked = state == 1 ? IDC_INFRARED_ENABLE : state == 0 ? IDC_INFRARED_DISABLE : 0;
        return true;
    },
    [](std::uint32_t value) { SetInfraredStatus(static_cast<std::uint8_t>(value)); },
}};

constexpr DevicePageLayout kLayout{IDD_INFRARED, IDS_INFRARED_CAPTION, kTexts, kGroups, {}, true};

}  // namespace

CInfraredPage::CInfraredPage(MerovantContext& context) : CDevicePage(context, kLayout) {}
