// The Modem page: no setting, a button for the modem control panel.
#pragma once

#include "config_utility/pages/device_page.h"

class CModemPage final : public CDevicePage {
public:
    explicit CModemPage(MerovantContext& context);
};
