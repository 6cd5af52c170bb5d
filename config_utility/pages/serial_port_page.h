// The Serial Port page: the port on or off, or locked by the BIOS.
#pragma once

#include "config_utility/pages/device_page.h"

class CSerialPortPage final : public CDevicePage {
public:
    explicit CSerialPortPage(MerovantContext& context);
};
