// The PCI Device Setup page: the interrupt given to each PCI interrupt pin
// that the BIOS steers, one row of label and drop-down list per pin.
#pragma once

#include "config_utility/pages/device_page.h"

class CPciDeviceSetupPage final : public CDevicePage {
public:
    explicit CPciDeviceSetupPage(MerovantContext& context);

    static constexpr int kRows = 4;

private:
    void AfterRead() override;
    void OnListChange(int control) override;
    bool WriteMore() override;

    int rowsInUse_ = 0;  // min(pins the BIOS steers, kRows)
    // The interrupt each row had at opening; -1 when it is not known.
    int readIrq_[kRows] = {-1, -1, -1, -1};
    bool changed_ = false;
};
