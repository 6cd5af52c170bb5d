#include "power_sheet/sheet/power_mode_page.h"

#include <string>

#include "common/win32/control_text.h"
#include "common/win32/controls.h"
#include "common/win32/load_string.h"
#include "machine_control/core/machine_operations.h"
#include "machine_control/core/machine_values.h"
#include "resources/corvessa/resource.h"

namespace {

constexpr ControlText kTexts[] = {
    {IDC_POWER_MODE_FRAME, IDS_POWER_MODE_FRAME},
    {IDC_POWER_SOURCE_LABEL, IDS_POWER_SOURCE_LABEL},
    {IDC_SOURCE_FRAME, IDS_SOURCE_AC},
    {IDC_MODE_PERFORMANCE, IDS_MODE_PERFORMANCE},
    {IDC_MODE_BATTERY_LIFE, IDS_MODE_BATTERY_LIFE},
    {IDC_MODE_CUSTOMIZED, IDS_MODE_CUSTOMIZED},
    {IDC_DETAILS_FRAME, IDS_DETAILS_FRAME},
    {IDC_SUSPEND_TIMER_LABEL, IDS_SUSPEND_TIMER},
    {IDC_LCD_OFF_TIMER_LABEL, IDS_LCD_OFF_TIMER},
    {IDC_HDD_OFF_TIMER_LABEL, IDS_HDD_OFF_TIMER},
    {IDC_SUSPEND_TIMER_AUTOMATIC, IDS_AUTOMATIC},
    {IDC_LCD_OFF_TIMER_AUTOMATIC, IDS_AUTOMATIC},
    {IDC_HDD_OFF_TIMER_AUTOMATIC, IDS_AUTOMATIC},
    {IDC_PROCESSOR_LABEL, IDS_PROCESSOR_SPEED},
    {IDC_AUTOMATIC_CLOCK, IDS_AUTOMATIC_CLOCK},
    {IDC_CDROM_LABEL, IDS_CDROM_SPEED},
};

// The mode buttons, in mode order.
constexpr int kModeButtons[kPowerModeCount] = {IDC_MODE_PERFORMANCE, IDC_MODE_BATTERY_LIFE, IDC_MODE_CUSTOMIZED};
constexpr int kAcPictures[] = {IDC_PICTURE_AC_PERFORMANCE, IDC_PICTURE_AC_LIFE, IDC_PICTURE_AC_CUSTOMIZED};
constexpr int kBatteryPictures[] = {IDC_PICTURE_BATTERY_PERFORMANCE, IDC_PICTURE_BATTERY_LIFE,
                                    IDC_PICTURE_BATTERY_CUSTOMIZED};
// Each timer list and the "Automatic" shown in its place.
constexpr int kTimerLists[] = {IDC_SUSPEND_TIMER, IDC_LCD_OFF_TIMER, IDC_HDD_OFF_TIMER};
constexpr int kTimerPlaceholders[] = {IDC_SUSPEND_TIMER_AUTOMATIC, IDC_LCD_OFF_TIMER_AUTOMATIC,
                                      IDC_HDD_OFF_TIMER_AUTOMATIC};

// "Disabled", then the minutes.
template <std::size_t N>
void FillTimerList(HWND page, int list, const int (&minutes)[N]) {
    ClearList(page, list);
    AddListString(page, list, LoadStr(IDS_TIMER_DISABLED).c_str());
    for (int value : minutes) AddListString(page, list, std::to_string(value).c_str());
}

void ShowItem(HWND page, int control, bool shown) { ShowWindow(GetDlgItem(page, control), shown ? SW_SHOW : SW_HIDE); }

}  // namespace

CPowerMode::CPowerMode(CorvessaContext context) : CPowerPage(context, IDD_POWER_MODE, IDS_PAGE_POWER_MODE) {}

void CPowerMode::OnInitPage() {
    SetControlTexts(hwnd(), kTexts);
    FillLists();
    ReadMachine();

    // The page opens on AC whatever the machine runs on.
    SelectListPosition(hwnd(), IDC_POWER_SOURCE, 0);
    ShowSource(false);
    CheckModeButton(kModeMaximumPerformance);
    CheckModeButton(settings_.acMode);
    SelectListPosition(hwnd(), IDC_PROCESSOR_SPEED, settings_.speedPosition);
    CheckItem(hwnd(), IDC_AUTOMATIC_CLOCK, settings_.automaticClock != 0);
    SelectListPosition(hwnd(), IDC_CDROM_SPEED, settings_.cdromSpeed);
    ShowMode(settings_.acMode);
}

void CPowerMode::FillLists() {
    ClearList(hwnd(), IDC_POWER_SOURCE);
    AddListString(hwnd(), IDC_POWER_SOURCE, LoadStr(IDS_SOURCE_AC).c_str());
    AddListString(hwnd(), IDC_POWER_SOURCE, LoadStr(IDS_SOURCE_BATTERY).c_str());
    FillTimerList(hwnd(), IDC_SUSPEND_TIMER, kTimerMinutes);
    FillTimerList(hwnd(), IDC_LCD_OFF_TIMER, kTimerMinutes);
    FillTimerList(hwnd(), IDC_HDD_OFF_TIMER, kHddTimerMinutes);
    for (UINT text : {IDS_SPEED_MAXIMUM, IDS_SPEED_MEDIUM, IDS_SPEED_SLOW})
        AddListString(hwnd(), IDC_PROCESSOR_SPEED, LoadStr(text).c_str());
    for (UINT text : {IDS_CDROM_HIGH, IDS_CDROM_NORMAL, IDS_CDROM_SILENT})
        AddListString(hwnd(), IDC_CDROM_SPEED, LoadStr(text).c_str());
}

// A read that fails leaves its value as it was.
void CPowerMode::ReadMachine() {
    GetPowerMode(kSelectorAc, settings_.acMode);
    GetPowerMode(kSelectorBattery, settings_.batteryMode);
    GetSysSuspendTimer(kSelectorCustomized, settings_.suspendTimer);
    GetLCDOffTimer(kSelectorCustomized, settings_.lcdOffTimer);
    GetHDDOffTimer(kSelectorCustomized, settings_.hddOffTimer);
    GetCPUSpeedforCustomized(kSelectorCustomized, settings_.processorCode);
    GetCDROMSpeed(settings_.cdromSpeed);
    GetPowerSource(settings_.selector);
    std::uint8_t unused = 0;
    GetPowerMode(settings_.selector, unused);
    DecodeProcessorCode(settings_.processorCode, settings_.speedPosition, settings_.automaticClock);
}

bool CPowerMode::ShowingBattery() const { return ListSelection(hwnd(), IDC_POWER_SOURCE) == 1; }

void CPowerMode::ShowSource(bool battery) {
    SetItemText(hwnd(), IDC_SOURCE_FRAME, LoadStr(battery ? IDS_SOURCE_BATTERY : IDS_SOURCE_AC).c_str());
    for (int picture : kAcPictures) ShowItem(hwnd(), picture, !battery);
    for (int picture : kBatteryPictures) ShowItem(hwnd(), picture, battery);
}

void CPowerMode::CheckModeButton(std::uint8_t mode) {
    if (mode >= kPowerModeCount) return;
    CheckRadioButton(hwnd(), kModeButtons[0], kModeButtons[kPowerModeCount - 1], kModeButtons[mode]);
}

void CPowerMode::ShowMode(std::uint8_t mode) {
    // The defaults are asked for the source shown.
    TimerCodes defaults;
    const TimerCodes* known = nullptr;
    if (mode == kModeMaximumPerformance) {
        std::uint8_t processor = 0;
        if (GetPowerModeDefaultInfo(ShowingBattery() ? kSelectorBattery : kSelectorAc, kModeMaximumPerformance,
                                    defaults.lcdOff, defaults.hddOff, defaults.suspend, processor))
            known = &defaults;
    }
    DetailsDisplay display;
    if (!DisplayForMode(mode, settings_, known, display)) return;

    if (display.selectTimers) {
        const std::uint8_t codes[] = {display.timers.suspend, display.timers.lcdOff, display.timers.hddOff};
        for (std::size_t i = 0; i < 3; ++i)
            SelectListPosition(hwnd(), kTimerLists[i], display.timersKnown ? codes[i] : -1);
    }
    for (std::size_t i = 0; i < 3; ++i) {
        ShowItem(hwnd(), kTimerLists[i], display.timerListsShown);
        EnableItem(hwnd(), kTimerLists[i], display.timerListsEnabled);
        ShowItem(hwnd(), kTimerPlaceholders[i], !display.timerListsShown);
    }
    SelectListPosition(hwnd(), IDC_PROCESSOR_SPEED, display.speedPosition);
    CheckItem(hwnd(), IDC_AUTOMATIC_CLOCK, display.automaticClock);
    EnableItem(hwnd(), IDC_PROCESSOR_SPEED, display.processorEnabled);
    EnableItem(hwnd(), IDC_AUTOMATIC_CLOCK, display.automaticClockEnabled);
}

bool CPowerMode::OnPageCommand(int id, int code, HWND) {
    for (std::uint8_t mode = 0; mode < kPowerModeCount; ++mode) {
        if (id != kModeButtons[mode] || code != BN_CLICKED) continue;
        ShowMode(mode);
        (ShowingBattery() ? settings_.batteryMode : settings_.acMode) = mode;
        Changed();
        return true;
    }
    if (code == CBN_SELCHANGE) {
        const int position = ListSelection(hwnd(), id);
        if (position < 0) return true;
        const auto value = static_cast<std::uint8_t>(position);
        switch (id) {
            case IDC_POWER_SOURCE: {
                const bool battery = position == 1;
                ShowSource(battery);
                settings_.selector = battery ? kSelectorBattery : kSelectorAc;
                const std::uint8_t mode = battery ? settings_.batteryMode : settings_.acMode;
                CheckModeButton(mode);
                ShowMode(mode);
                break;
            }
            case IDC_PROCESSOR_SPEED:
                settings_.speedPosition = value;
                EnableItem(hwnd(), IDC_AUTOMATIC_CLOCK, value != 0);
                if (value == 0) {
                    CheckItem(hwnd(), IDC_AUTOMATIC_CLOCK, false);
                    settings_.automaticClock = 0;
                }
                break;
            case IDC_SUSPEND_TIMER: settings_.suspendTimer = value; break;
            case IDC_LCD_OFF_TIMER: settings_.lcdOffTimer = value; break;
            case IDC_HDD_OFF_TIMER: settings_.hddOffTimer = value; break;
            case IDC_CDROM_SPEED: settings_.cdromSpeed = value; break;
            default: return false;
        }
        Changed();
        return true;
    }
    if (id == IDC_AUTOMATIC_CLOCK && code == BN_CLICKED) {
        settings_.automaticClock = IsItemChecked(hwnd(), IDC_AUTOMATIC_CLOCK) ? 1 : 0;
        Changed();
        return true;
    }
    return false;
}

void CPowerMode::OnApply() {
    // A list without a selection keeps the value read.
    const int cdrom = ListSelection(hwnd(), IDC_CDROM_SPEED);
    if (cdrom >= 0) settings_.cdromSpeed = static_cast<std::uint8_t>(cdrom);
    settings_.processorCode = EncodeProcessorCode(settings_.speedPosition, settings_.automaticClock);
    SetPowerMode(kSelectorAc, settings_.acMode);
    SetPowerMode(kSelectorBattery, settings_.batteryMode);
    settings_.selector = kSelectorCustomized;
    SetLCDOffTimer(kSelectorCustomized, settings_.lcdOffTimer);
    SetHDDOffTimer(kSelectorCustomized, settings_.hddOffTimer);
    SetSysSuspendTimer(kSelectorCustomized, settings_.suspendTimer);
    SetCPUSpeedforCustomized(kSelectorCustomized, settings_.processorCode);
    SetCDROMSpeed(settings_.cdromSpeed);
}
