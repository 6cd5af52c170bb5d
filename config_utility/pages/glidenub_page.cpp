#include "config_utility/pages/glidenub_page.h"

#include "config_utility/pages/control_panels.h"
#include "machine_control/core/machine_operations.h"
#include "resources/merovant/resource.h"

namespace {

constexpr ControlText kTexts[] = {
    {IDC_GLIDENUB_GROUP, IDS_GLIDENUB_GROUP},
    {IDC_GLIDENUB_ENABLE, IDS_ENABLE},
    {IDC_GLIDENUB_DISABLE, IDS_DISABLE},
    {IDC_MOUSE_PROPERTIES, IDS_MOUSE_PROPERTIES},
};

constexpr SettingGroup kGroups[] = {{
    {{IDC_GLIDENUB_ENABLE, 1}, {IDC_GLIDENUB_DISABLE, 0}},
    [](GroupReading& reading) {
        std::uint8_t state = 0xFF;
        if (!GetGlidenubStatus(state)) return false;
        reading.checked = state == 1 ? IDC_GLIDENUB_ENABLE : state == 0 ? IDC_GLIDENUB_DISABLE : 0;
        return true;
    },
    [](std::uint32_t value) { EnableGlidenub(static_cast<std::uint8_t>(value)); },
}};

constexpr ControlPanelButton kControlPanels[] = {{IDC_MOUSE_PROPERTIES, kMouseControlPanel}};

constexpr DevicePageLayout kLayout{IDD_GLIDENUB, IDS_GLIDENUB_CAPTION, kTexts, kGroups, kControlPanels, true};

}  // namespace

CGlidenubPage::CGlidenubPage(MerovantContext& context) : CDevicePage(context, kLayout) {}
