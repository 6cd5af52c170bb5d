#include "config_utility/pages/parallel_port_page.h"

#include "common/win32/controls.h"
#include "common/win32/load_string.h"
#include "machine_control/core/machine_operations.h"
#include "machine_control/core/machine_values.h"
#include "resources/merovant/resource.h"

namespace {

constexpr ControlText kTexts[] = {
    {IDC_PARALLEL_PORT, IDS_PARALLEL_PORT},
    {IDC_PARALLEL_PORT_ENABLE, IDS_ENABLE},
    {IDC_PARALLEL_PORT_DISABLE, IDS_DISABLE},
    {IDC_OPERATING_MODE, IDS_OPERATING_MODE},
    {IDC_DMA_CHANNEL, IDS_DMA_CHANNEL},
};

// The port group's read is the page's own (one GetParallPortOpMode serves
// the port, the mode and the channel); its write is SetParallelPort.
constexpr SettingGroup kGroups[] = {{
    {{IDC_PARALLEL_PORT_ENABLE, kParallelPortEnable}, {IDC_PARALLEL_PORT_DISABLE, kParallelPortDisable}},
    nullptr,
    [](std::uint32_t value) { SetParallelPort(static_cast<std::uint8_t>(value)); },
}};

// The list position is the operating mode.
constexpr ListEntry kModes[] = {
    {IDS_MODE_UNIDIRECTIONAL, kParallelModeUnidirectional},
    {IDS_MODE_BIDIRECTIONAL, kParallelModeBidirectional},
    {IDS_MODE_EPP, kParallelModeEpp},
    {IDS_MODE_ECP, kParallelModeEcp},
};
// Channel 2 is not offered.
constexpr ListEntry kDmaChannels[] = {{IDS_DMA_0, 0}, {IDS_DMA_1, 1}, {IDS_DMA_3, 3}};

constexpr DropDownList kLists[] = {{IDC_OPERATING_MODE_LIST, kModes}, {IDC_DMA_CHANNEL_LIST, kDmaChannels}};

constexpr DevicePageLayout kLayout{IDD_PARALLEL_PORT, IDS_PARALLEL_PORT_CAPTION, kTexts, kGroups, {}, true, kLists};

}  // namespace

CParallelPortPage::CParallelPortPage(MerovantContext& context) : CDevicePage(context, kLayout) {}

void CParallelPortPage::AfterRead() {
    std::uint8_t status = 0, byte = 0, mode = 0, dma = 0;
    std::uint16_t word = 0;
    if (!GetParallPortOpMode(status, word, byte, mode, dma)) return;
    if (status & kPortLocked) {
        ApplyReading(0, {IDC_PARALLEL_PORT_DISABLE, true});
        SelectListPosition(hwnd(), IDC_OPERATING_MODE_LIST, 0);
        SelectListPosition(hwnd(), IDC_DMA_CHANNEL_LIST, 0);
        EnableItem(hwnd(), IDC_OPERATING_MODE_LIST, false);
        EnableItem(hwnd(), IDC_DMA_CHANNEL_LIST, false);
        return;
    }
    const bool enabled = (status & kPortDisabled) == 0;
    ApplyReading(0, {enabled ? IDC_PARALLEL_PORT_ENABLE : IDC_PARALLEL_PORT_DISABLE, false});
    modeIndex_ = mode;
    dmaChannel_ = dma;
    SelectListValue(hwnd(), IDC_OPERATING_MODE_LIST, mode);
    SelectListValue(hwnd(), IDC_DMA_CHANNEL_LIST, dma);
    EnableLists(enabled);
}

void CParallelPortPage::EnableLists(bool portEnabled) {
    EnableItem(hwnd(), IDC_OPERATING_MODE_LIST, portEnabled);
    EnableItem(hwnd(), IDC_DMA_CHANNEL_LIST, portEnabled && modeIndex_ == kParallelModeEcp);
}

void CParallelPortPage::OnChoice(int control) { EnableLists(control == IDC_PARALLEL_PORT_ENABLE); }

void CParallelPortPage::OnListChange(int control) {
    std::uint32_t value = 0;
    if (!SelectedListValue(hwnd(), control, value)) return;
    if (control == IDC_OPERATING_MODE_LIST) {
        modeIndex_ = static_cast<std::uint8_t>(value);
        modeChanged_ = true;
        EnableItem(hwnd(), IDC_DMA_CHANNEL_LIST, modeIndex_ == kParallelModeEcp);
    } else {
        dmaChannel_ = static_cast<std::uint8_t>(value);
        dmaChanged_ = true;
    }
}

// After the port's own write: the mode and channel over the fields read back
// just now, the 16-bit word and the 8-bit value passed on unchanged. Without
// that read there is nothing sound to write them with, so nothing is written.
bool CParallelPortPage::WriteMore() {
    std::uint8_t status = 0, byte = 0, mode = 0, dma = 0;
    std::uint16_t word = 0;
    const bool read = GetParallPortOpMode(status, word, byte, mode, dma);
    if (!read || (!modeChanged_ && !dmaChanged_)) return false;
    if (modeChanged_) mode = modeIndex_;
    if (dmaChanged_) dma = dmaChannel_;
    if (modeChanged_ && mode == kParallelModeEpp)
        context().shell.ShowMessageBox(hwnd(), LoadStr(IDS_EPP_WARNING), MB_OK);
    SetParallPortOpMode(word, byte, mode, dma);
    modeChanged_ = dmaChanged_ = false;
    return true;
}
