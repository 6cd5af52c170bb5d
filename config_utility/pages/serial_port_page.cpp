#include "config_utility/pages/serial_port_page.h"

#include "machine_control/core/machine_operations.h"
#include "machine_control/core/machine_values.h"
#include "resources/merovant/resource.h"

namespace {

constexpr ControlText kTexts[] = {
    {IDC_SERIAL_PORT_GROUP, IDS_SERIAL_PORT_GROUP},
    {IDC_SERIAL_PORT_ENABLE, IDS_ENABLE},
    {IDC_SERIAL_PORT_DISABLE, IDS_DISABLE},
};

constexpr SettingGroup kGroups[] = {{
    {{IDC_SERIAL_PORT_ENABLE, kSerialPortEnable}, {IDC_SERIAL_PORT_DISABLE, kSerialPortDisable}},
    [](GroupReading& reading) {
        std::uint8_t status = 0;
        if (!GetSerialPortStatus(0, status)) return false;
        reading.locked = (status & kPortLocked) != 0;
        reading.checked = (status & (kPortLocked | kPortDisabled)) ? IDC_SERIAL_PORT_DISABLE
                                                                                : IDC_SERIAL_PORT_ENABLE;
        return true;
    },
    [](std::uint32_t value) { SetSerialPortStatus(static_cast<std::uint8_t>(value)); },
}};

constexpr DevicePageLayout kLayout{IDD_SERIAL_PORT, IDS_SERIAL_PORT_CAPTION, kTexts, kGroups, {}, true};

}  // namespace

CSerialPortPage::CSerialPortPage(MerovantContext& context) : CDevicePage(context, kLayout) {}
