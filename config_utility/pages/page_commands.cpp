#include "config_utility/pages/page_commands.h"

#include <cstring>

#include "config_utility/pages/accessibility_page.h"
#include "config_utility/pages/audio_page.h"
#include "config_utility/pages/control_panels.h"
#include "config_utility/pages/customize_page.h"
#include "config_utility/pages/device_page.h"
#include "config_utility/pages/glidenub_page.h"
#include "config_utility/pages/infrared_page.h"
#include "config_utility/pages/installed_program.h"
#include "config_utility/pages/lcd_page.h"
#include "config_utility/pages/modem_page.h"
#include "config_utility/pages/parallel_port_page.h"
#include "config_utility/pages/pc_card_slots_page.h"
#include "config_utility/pages/pci_device_setup_page.h"
#include "config_utility/pages/serial_port_page.h"
#include "config_utility/pages/system_information_page.h"
#include "config_utility/shell/merovant_help.h"
#include "resources/merovant/resource.h"

namespace {

void StartPowerManagement(MerovantContext& context, HWND owner) {
    StartInstalledProgram(context, owner, context.power, IDS_POWER_PROGRAM_UNUSABLE);
}

void StartDisplayProperties(MerovantContext& context, HWND) { context.shell.StartProgram(kDisplayControlPanel); }

void OpenHelpFile(MerovantContext& context, HWND) {
    ShowHelp(context, nullptr, context.helpPath, HELP_CONTEXT, HELP_CONTEXT_MAIN_WINDOW);
}

// The settings pages join this table as they are built.
constexpr PageCommand kPages[] = {
    {kPageGlidenub, ID_PAGE_GLIDENUB, OpenDevicePage<CGlidenubPage>},
    {kPageAudio, ID_PAGE_AUDIO, OpenDevicePage<CAudioPage>},
    {kPageInfrared, ID_PAGE_INFRARED, OpenDevicePage<CInfraredPage>},
    {kPageParallelPort, ID_PAGE_PARALLEL_PORT, OpenDevicePage<CParallelPortPage>},
    {kPageSerialPort, ID_PAGE_SERIAL_PORT, OpenDevicePage<CSerialPortPage>},
    {kPageModem, ID_PAGE_MODEM, OpenDevicePage<CModemPage>},
    {kPagePciDeviceSetup, ID_PAGE_PCI_DEVICE_SETUP, OpenDevicePage<CPciDeviceSetupPage>},
    {kPagePcCardSlots, ID_PAGE_PC_CARD_SLOTS, OpenDevicePage<CPcCardSlotsPage>},
    {kPagePower, ID_POWER_SETTINGS, StartPowerManagement},
    {kPageLcd, ID_PAGE_LCD, OpenDevicePage<CLcdPage>},
    {kPageDisplay, ID_DISPLAY_PROPERTIES, StartDisplayProperties},
    {kPageAccessibility, ID_PAGE_ACCESSIBILITY, OpenDevicePage<CAccessibilityPage>},
    {kNoPage, ID_PAGE_CUSTOMIZE, OpenDevicePage<CCustomizePage>},
    {kPageSystemInformation, ID_PAGE_SYSTEM_INFORMATION, OpenDevicePage<CSystemInformationPage>},
    {kPageHelp, 0, OpenHelpFile},
};

}  // namespace

const PageCommand* FindPage(PageNumber page) {
    if (page == kNoPage) return nullptr;
    for (const PageCommand& row : kPages) {
        if (row.page == page) return &row;
    }
    return nullptr;
}

const PageCommand* FindPageCommand(int command) {
    if (command == 0) return nullptr;
    for (const PageCommand& row : kPages) {
        if (row.command == command) return &row;
    }
    return nullptr;
}

bool OpenPage(MerovantContext& context, PageNumber page) {
    const PageCommand* row = FindPage(page);
    if (row == nullptr || row->open == nullptr) return false;
    row->open(context, nullptr);
    return true;
}

