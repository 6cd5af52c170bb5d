#include "config_utility/pages/audio_page.h"

#include "config_utility/pages/control_panels.h"
#include "resources/merovant/resource.h"

namespace {

constexpr ControlText kTexts[] = {
    {IDC_SOUND_PROPERTIES, IDS_SOUND_PROPERTIES},
    {IDC_MULTIMEDIA_PROPERTIES, IDS_MULTIMEDIA_PROPERTIES},
};

constexpr ControlPanelButton kControlPanels[] = {
    {IDC_SOUND_PROPERTIES, kSoundControlPanel},
    {IDC_MULTIMEDIA_PROPERTIES, kMultimediaControlPanel},
};

constexpr DevicePageLayout kLayout{IDD_AUDIO, IDS_AUDIO_CAPTION, kTexts, {}, kControlPanels, false};

}  // namespace

CAudioPage::CAudioPage(MerovantContext& context) : CDevicePage(context, kLayout) {}
