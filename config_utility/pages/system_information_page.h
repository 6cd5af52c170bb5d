// The System Information page: the BIOS version, the two serial numbers and
// the machine's model from the SMBIOS table of the DMI proxy driver.
#pragma once

#include <cstdint>

#include "config_utility/pages/device_page.h"
#include "machine_control/protocols/dmi_protocol.h"

// The DMI proxy's request: the table into buffer (zeroed first) and the count
// of bytes it returned; false when the driver cannot be opened or refuses.
bool RequestDmiTable(std::uint8_t (&buffer)[kSmbiosTableMax], DWORD& returned);

class CSystemInformationPage final : public CDevicePage {
public:
    explicit CSystemInformationPage(MerovantContext& context);

private:
    void AfterRead() override;
};
