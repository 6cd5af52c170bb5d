#include "config_utility/pages/accessibility_page.h"

#include "config_utility/pages/control_panels.h"
#include "machine_control/core/machine_operations.h"
#include "resources/merovant/resource.h"

namespace {

constexpr ControlText kTexts[] = {
    {IDC_FN_KEY_LOCK_GROUP, IDS_FN_KEY_LOCK},
    {IDC_FN_KEY_LOCK_ENABLE, IDS_ENABLE},
    {IDC_FN_KEY_LOCK_DISABLE, IDS_DISABLE},
    {IDC_ACCESSIBILITY_PROPERTIES, IDS_ACCESSIBILITY_PROPERTIES},
};

constexpr SettingGroup kGroups[] = {{
    {{IDC_FN_KEY_LOCK_ENABLE, 1}, {IDC_FN_KEY_LOCK_DISABLE, 0}},
    [](GroupReading& reading) {
        std::uint8_t state = 0;
        if (!GetFnKeyLockstatus(state)) return false;
        reading.checked = state == 1 ? IDC_FN_KEY_LOCK_ENABLE : IDC_FN_KEY_LOCK_DISABLE;
        return true;
    },
    [](std::uint32_t value) { SetFnKeyLockStatus(value); },
}};

constexpr ControlPanelButton kControlPanels[] = {{IDC_ACCESSIBILITY_PROPERTIES, kAccessibilityControlPanel}};

constexpr DevicePageLayout kLayout{IDD_ACCESSIBILITY, IDS_ACCESSIBILITY_CAPTION, kTexts, kGroups, kControlPanels,
                                   false};

}  // namespace

CAccessibilityPage::CAccessibilityPage(MerovantContext& context) : CDevicePage(context, kLayout) {}
