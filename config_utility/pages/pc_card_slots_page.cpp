#include "config_utility/pages/pc_card_slots_page.h"

#include "config_utility/pages/control_panels.h"
#include "resources/merovant/resource.h"

namespace {

constexpr ControlText kTexts[] = {{IDC_PC_CARD_STATUS, IDS_PC_CARD_STATUS}};
constexpr ControlPanelButton kControlPanels[] = {{IDC_PC_CARD_STATUS, kPcCardControlPanel}};
constexpr DevicePageLayout kLayout{IDD_PC_CARD_SLOTS, IDS_PC_CARD_SLOTS_CAPTION, kTexts, {}, kControlPanels, false};

}  // namespace

CPcCardSlotsPage::CPcCardSlotsPage(MerovantContext& context) : CDevicePage(context, kLayout) {}
