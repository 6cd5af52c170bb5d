#include "config_utility/pages/pci_device_setup_page.h"

#include <cstdio>
#include <string>

#include "common/win32/controls.h"
#include "common/win32/load_string.h"
#include "machine_control/core/machine_operations.h"
#include "machine_control/core/machine_values.h"
#include "resources/merovant/resource.h"

namespace {

struct PinRow {
    int label;
    int list;
};
constexpr PinRow kPinRows[CPciDeviceSetupPage::kRows] = {
    {IDC_PCI_PIN1, IDC_PCI_PIN1_LIST},
    {IDC_PCI_PIN2, IDC_PCI_PIN2_LIST},
    {IDC_PCI_PIN3, IDC_PCI_PIN3_LIST},
    {IDC_PCI_PIN4, IDC_PCI_PIN4_LIST},
};

// Filled from the machine's interrupt masks at opening.
constexpr DropDownList kLists[] = {
    {IDC_PCI_PIN1_LIST, {}}, {IDC_PCI_PIN2_LIST, {}}, {IDC_PCI_PIN3_LIST, {}}, {IDC_PCI_PIN4_LIST, {}}};

constexpr DevicePageLayout kLayout{IDD_PCI_DEVICE_SETUP, IDS_PCI_DEVICE_SETUP_CAPTION, {}, {}, {}, true, kLists};

}  // namespace

CPciDeviceSetupPage::CPciDeviceSetupPage(MerovantContext& context) : CDevicePage(context, kLayout) {}

void CPciDeviceSetupPage::AfterRead() {
    const std::string label = LoadStr(IDS_PCI_PIN_LABEL);
    const std::string irq = LoadStr(IDS_IRQ_ENTRY);
    const std::string none = LoadStr(IDS_NO_IRQ);
    for (int row = 0; row < kRows; ++row) {
        char number[16];
        std::snprintf(number, sizeof number, "%d :", row + 1);
        SetItemText(hwnd(), kPinRows[row].label, (label + number).c_str());
        EnableItem(hwnd(), kPinRows[row].label, false);
        EnableItem(hwnd(), kPinRows[row].list, false);
    }
    std::uint8_t pins = 0;
    if (!GetPCISteeringNum(pins)) return;
    rowsInUse_ = pins < kRows ? pins : kRows;
    // A failed list read keeps the mask of the pin before.
    std::uint16_t mask = kPciDefaultIrqMask;
    for (int row = 0; row < rowsInUse_; ++row) {
        const auto pin = static_cast<std::uint8_t>(row + 1);
        GetPCISteeringIRQList(pin, mask);
        std::uint8_t assigned = 0, number = 0;
        if (GetPCISteeringIRQ(pin, assigned, number)) readIrq_[row] = assigned == 1 ? number : kPciNoIrq;
        const int list = kPinRows[row].list;
        EnableItem(hwnd(), kPinRows[row].label, true);
        EnableItem(hwnd(), list, true);
        for (int j = 0; j < 16; ++j)
            if (mask & (1u << j))
                AddListEntry(hwnd(), list, (irq + std::to_string(j)).c_str(), static_cast<std::uint32_t>(j));
        AddListEntry(hwnd(), list, none.c_str(), kPciNoIrq);
        if (readIrq_[row] >= 0) SelectListValue(hwnd(), list, static_cast<std::uint32_t>(readIrq_[row]));
    }
}

void CPciDeviceSetupPage::OnListChange(int) { changed_ = true; }

// Every row in use is written, changed or not: its selection, or, with none
// (the interrupt read matched no entry), the interrupt that was read. A row
// whose interrupt could not be read and that the user left has nothing sound
// to write and is left as it is.
bool CPciDeviceSetupPage::WriteMore() {
    if (!changed_) return false;
    changed_ = false;
    bool written = false;
    for (int row = 0; row < rowsInUse_; ++row) {
        std::uint32_t number = 0;
        if (!SelectedListValue(hwnd(), kPinRows[row].list, number)) {
            if (readIrq_[row] < 0) continue;
            number = static_cast<std::uint32_t>(readIrq_[row]);
        }
        const auto irq = static_cast<std::uint8_t>(number);
        SetPCISteeringIRQ(static_cast<std::uint8_t>(row + 1), irq == kPciNoIrq ? 0 : 1, irq);
        written = true;
    }
    return written;
}
