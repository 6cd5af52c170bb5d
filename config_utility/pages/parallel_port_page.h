// The Parallel Port page: the port on or off, its operating mode and, for
// ECP, its DMA channel; or everything greyed when the BIOS locks the port.
#pragma once

#include "config_utility/pages/device_page.h"

class CParallelPortPage final : public CDevicePage {
public:
    explicit CParallelPortPage(MerovantContext& context);

private:
    void AfterRead() override;
    void OnChoice(int control) override;
    void OnListChange(int control) override;
    bool WriteMore() override;
    void EnableLists(bool portEnabled);

    std::uint8_t modeIndex_ = 0;  // position in the mode list, the operating mode
    bool modeChanged_ = false;
    std::uint8_t dmaChannel_ = 0;  // 0, 1 or 3
    bool dmaChanged_ = false;
};
