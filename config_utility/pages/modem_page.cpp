#include "config_utility/pages/modem_page.h"

#include "config_utility/pages/control_panels.h"
#include "resources/merovant/resource.h"

namespace {

constexpr ControlText kTexts[] = {{IDC_MODEM_PROPERTIES, IDS_MODEM_PROPERTIES}};
constexpr ControlPanelButton kControlPanels[] = {{IDC_MODEM_PROPERTIES, kModemControlPanel}};
constexpr DevicePageLayout kLayout{IDD_MODEM, IDS_MODEM_CAPTION, kTexts, {}, kControlPanels, false};

}  // namespace

CModemPage::CModemPage(MerovantContext& context) : CDevicePage(context, kLayout) {}
