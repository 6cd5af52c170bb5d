#include "config_utility/core/view_layout.h"

#include "resources/merovant/resource.h"

const DeviceSlot kDeviceSlots[kDeviceSlotCount] = {
    {IDC_VIEW_SYSTEM_INFORMATION, IDB_VIEW_SYSTEM_INFORMATION, IDC_LAMP_SYSTEM_INFORMATION,
     IDS_TIP_SYSTEM_INFORMATION, ID_PAGE_SYSTEM_INFORMATION, LampRule::kAlwaysOn, false},
    {IDC_VIEW_AUDIO, IDB_VIEW_AUDIO, IDC_LAMP_AUDIO, IDS_TIP_AUDIO, ID_PAGE_AUDIO, LampRule::kAlwaysOn, false},
    {IDC_VIEW_GLIDENUB, IDB_VIEW_GLIDENUB, IDC_LAMP_GLIDENUB, IDS_TIP_GLIDENUB, ID_PAGE_GLIDENUB,
     LampRule::kGlidenub, false},
    {IDC_VIEW_POWER, IDB_VIEW_POWER, IDC_LAMP_POWER, IDS_TIP_POWER, ID_POWER_SETTINGS, LampRule::kAlwaysOn,
     false},
    {IDC_VIEW_PARALLEL_PORT, IDB_VIEW_PARALLEL_PORT, IDC_LAMP_PARALLEL_PORT, IDS_TIP_PARALLEL_PORT,
     ID_PAGE_PARALLEL_PORT, LampRule::kParallelPort, false},
    {IDC_VIEW_SERIAL_PORT, IDB_VIEW_SERIAL_PORT, IDC_LAMP_SERIAL_PORT, IDS_TIP_SERIAL_PORT, ID_PAGE_SERIAL_PORT,
     LampRule::kSerialPort, false},
    {IDC_VIEW_MIDI, IDB_VIEW_MIDI, IDC_LAMP_MIDI, 0, 0, LampRule::kAlwaysOff, false},
    {IDC_VIEW_LCD, IDB_VIEW_LCD, IDC_LAMP_LCD, IDS_TIP_LCD, ID_PAGE_LCD, LampRule::kAlwaysOn, true},
    {IDC_VIEW_EXTERNAL_DISPLAY, IDB_VIEW_EXTERNAL_DISPLAY, IDC_LAMP_EXTERNAL_DISPLAY, IDS_TIP_EXTERNAL_DISPLAY,
     ID_DISPLAY_PROPERTIES, LampRule::kAlwaysOn, true},
    {IDC_VIEW_ACCESSIBILITY, IDB_VIEW_ACCESSIBILITY, IDC_LAMP_ACCESSIBILITY, IDS_TIP_ACCESSIBILITY,
     ID_PAGE_ACCESSIBILITY, LampRule::kFnKeyLock, true},
    {IDC_VIEW_PCI, IDB_VIEW_PCI, IDC_LAMP_PCI, IDS_TIP_PCI, ID_PAGE_PCI_DEVICE_SETUP, LampRule::kAlwaysOn, true},
    {IDC_VIEW_PC_CARD, IDB_VIEW_PC_CARD, IDC_LAMP_PC_CARD, IDS_TIP_PC_CARD, ID_PAGE_PC_CARD_SLOTS,
     LampRule::kAlwaysOn, true},
    {IDC_VIEW_MODEM, IDB_VIEW_MODEM, IDC_LAMP_MODEM, IDS_TIP_MODEM, ID_PAGE_MODEM, LampRule::kAlwaysOn, true},
    {IDC_VIEW_INFRARED, IDB_VIEW_INFRARED, IDC_LAMP_INFRARED, IDS_TIP_INFRARED, ID_PAGE_INFRARED,
     LampRule::kInfrared, true},
};

const ViewSwitch kViewSwitches[kViewSwitchCount] = {
    {IDC_VIEW_FRONT, "IDB_FRONT_SMALL_UP", "IDB_FRONT_SMALL_DOWN", IDS_TIP_FRONT_VIEW, IDB_PICTURE_FRONT,
     ID_VIEW_FRONT},
    {IDC_VIEW_REAR, "IDB_REAR_SMALL_UP", "IDB_REAR_SMALL_DOWN", IDS_TIP_REAR_VIEW, IDB_PICTURE_REAR, ID_VIEW_REAR},
    {IDC_VIEW_PORT_REPLICATOR, "IDB_PORT_SMALL_UP", "IDB_PORT_SMALL_DOWN", IDS_TIP_PORT_REPLICATOR_VIEW,
     IDB_PICTURE_PORT_REPLICATOR, ID_VIEW_PORT_REPLICATOR},
};

namespace {
constexpr int kSlotHeight = 36;
constexpr int kSlotsPerColumn = 7;
constexpr int kButtonWidth = 32;
constexpr int kLampWidth = 10;
constexpr int kRightButtons = 134;  // the right column's buttons start this far from the right edge
constexpr int kSwitchWidth = 92;
constexpr int kSwitchHeight = 60;

int ColumnLeft(int slot, int width) { return kDeviceSlots[slot].rightColumn ? width - kRightButtons : kLampWidth; }
int RowTop(int slot) { return (slot % kSlotsPerColumn) * kSlotHeight; }
}  // namespace

ViewRect DeviceButtonRect(int slot, int width) {
    const int left = ColumnLeft(slot, width);
    return {left, RowTop(slot), left + kButtonWidth, RowTop(slot) + kSlotHeight};
}

ViewRect LampRect(int slot, int width) {
    // Left column: the lamp is left of the button; right column: right of it.
    const int left = kDeviceSlots[slot].rightColumn ? width - kRightButtons + kButtonWidth : 0;
    return {left, RowTop(slot), left + kLampWidth, RowTop(slot) + kSlotHeight};
}

std::optional<int> SlotOfButton(int button) {
    for (int slot = 0; slot < kDeviceSlotCount; ++slot)
        if (kDeviceSlots[slot].button == button) return slot;
    return std::nullopt;
}

std::optional<int> LampSlotOfCommand(int command) {
    for (int slot = 0; slot < kDeviceSlotCount; ++slot) {
        const DeviceSlot& s = kDeviceSlots[slot];
        if (s.command == command && s.rule != LampRule::kAlwaysOn && s.rule != LampRule::kAlwaysOff) return slot;
    }
    return std::nullopt;
}

std::optional<bool> LampFromGlidenub(std::uint8_t answer) {
    if (answer == 1) return true;
    if (answer == 0) return false;
    return std::nullopt;
}

bool LampFromPortStatus(std::uint8_t status) { return (status & 0x03) == 0; }
bool LampFromSwitch(std::uint8_t answer) { return answer == 1; }

ViewRect ViewSwitchRect(int index, int width) {
    return {width - kSwitchWidth, index * kSwitchHeight, width, (index + 1) * kSwitchHeight};
}

std::optional<int> ViewSwitchOfButton(int button) {
    for (int i = 0; i < kViewSwitchCount; ++i)
        if (kViewSwitches[i].button == button) return i;
    return std::nullopt;
}

ViewRect PictureRect(int width, int height) { return {kLampWidth + kButtonWidth, 0, width - kRightButtons, height}; }
ViewRect SwitchStripRect(int width, int height) { return {width - kSwitchWidth, 0, width, height}; }

bool PaintsUnscaled(int bitmapWidth, int windowWidth) {
    // 1.2 * B >= w, in integers.
    return bitmapWidth <= windowWidth && 6 * bitmapWidth >= 5 * windowWidth;
}
