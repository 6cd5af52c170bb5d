#include "power_sheet/sheet/hibernation_page.h"

#include "common/win32/configuration_key.h"
#include "common/win32/control_text.h"
#include "common/win32/controls.h"
#include "common/win32/load_string.h"
#include "machine_control/core/machine_operations.h"
#include "machine_control/core/machine_values.h"
#include "resources/corvessa/resource.h"

namespace {

// The check boxes and their flags.
struct FlagBox {
    int box;
    std::uint8_t flag;
};
constexpr FlagBox kFlagBoxes[] = {
    {IDC_HIBERNATE_VESTRUNE, kHibernateVestrune},
    {IDC_HIBERNATE_BY_SWITCH, kHibernateBySwitch},
    {IDC_HIBERNATE_BY_TIMER, kHibernateByTimer},
    {IDC_HIBERNATE_ON_LOW_BATTERY, kHibernateOnLowBattery},
    {IDC_HIBERNATE_AFTER_SUSPEND, kHibernateAfterSuspend},
};

constexpr ControlText kTexts[] = {
    {IDC_HIBERNATION_FRAME, IDS_HIBERNATION_FRAME},
    {IDC_HIBERNATE_VESTRUNE, IDS_HIBERNATE_VESTRUNE},
    {IDC_HIBERNATE_BY_SWITCH, IDS_HIBERNATE_BY_SWITCH},
    {IDC_HIBERNATE_BY_TIMER, IDS_HIBERNATE_BY_TIMER},
    {IDC_HIBERNATE_ON_LOW_BATTERY, IDS_HIBERNATE_ON_LOW_BATTERY},
    {IDC_HIBERNATE_AFTER_SUSPEND, IDS_HIBERNATE_AFTER_SUSPEND},
    {IDC_HIBERNATE_MINUTES_LABEL, IDS_MINUTES_AFTER_SUSPEND},
    {IDC_HIBERNATION_UTILITY, IDS_HIBERNATION_UTILITY},
};

// The minutes after suspend: the same in every language.
constexpr const char* kMinutes[] = {"0", "30", "60", "90"};

}  // namespace

CHiberation::CHiberation(CorvessaContext context) : CPowerPage(context, IDD_HIBERNATION, IDS_PAGE_HIBERNATION) {}

void CHiberation::OnInitPage() {
    SetControlTexts(hwnd(), kTexts);
    ClearList(hwnd(), IDC_HIBERNATE_MINUTES);
    for (const char* minutes : kMinutes) AddListString(hwnd(), IDC_HIBERNATE_MINUTES, minutes);

    // A failed read leaves both at 0.
    GetHibernateStatus(flags_, timerCode_);
    for (const FlagBox& box : kFlagBoxes) CheckItem(hwnd(), box.box, (flags_ & box.flag) != 0);
    if (flags_ & kHibernateAfterSuspend) {
        DeleteListString(hwnd(), IDC_HIBERNATE_MINUTES, 0);
        // Code 0 (or one past the list) leaves the list without a selection.
        SelectListPosition(hwnd(), IDC_HIBERNATE_MINUTES, timerCode_ - 1);
        EnableItem(hwnd(), IDC_HIBERNATE_MINUTES, true);
    } else {
        SelectListPosition(hwnd(), IDC_HIBERNATE_MINUTES, 0);
        EnableItem(hwnd(), IDC_HIBERNATE_MINUTES, false);
    }
}

void CHiberation::ShowMinutesForHibernate(bool hibernate) {
    const int count = ListCount(hwnd(), IDC_HIBERNATE_MINUTES);
    if (hibernate && count == 4) {
        DeleteListString(hwnd(), IDC_HIBERNATE_MINUTES, 0);
        SelectListPosition(hwnd(), IDC_HIBERNATE_MINUTES, 0);
    } else if (!hibernate && count == 3) {
        InsertListString(hwnd(), IDC_HIBERNATE_MINUTES, 0, kMinutes[0]);
        SelectListPosition(hwnd(), IDC_HIBERNATE_MINUTES, 0);
    }
    EnableItem(hwnd(), IDC_HIBERNATE_MINUTES, hibernate);
}

bool CHiberation::OnPageCommand(int id, int code, HWND) {
    if (id == IDC_HIBERNATION_UTILITY && code == BN_CLICKED) {
        StartHibernationUtility();
        return true;
    }
    if (id == IDC_HIBERNATE_MINUTES && code == CBN_SELCHANGE) {
        Changed();
        return true;
    }
    for (const FlagBox& box : kFlagBoxes) {
        if (id != box.box || code != BN_CLICKED) continue;
        if (id == IDC_HIBERNATE_AFTER_SUSPEND) ShowMinutesForHibernate(IsItemChecked(hwnd(), id));
        Changed();
        return true;
    }
    return false;
}

// Starts the save-to-disk utility named in the shared key, without waiting.
// A missing or unreadable value, or one that starts nothing, is said. It
// changes nothing on this page.
void CHiberation::StartHibernationUtility() {
    char commandLine[kConfigurationValueSize];
    if (ReadConfigurationValue("HiberUtility", commandLine) && commandLine[0] != '\0' &&
        context().shell.StartProgram(commandLine))
        return;
    context().shell.ShowMessageBox(hwnd(), IDS_SHEET_TITLE, LoadStr(IDS_HIBER_UTILITY_UNUSABLE), MB_OK | MB_ICONEXCLAMATION);
}

void CHiberation::OnApply() {
    std::uint8_t flags = 0;
    for (const FlagBox& box : kFlagBoxes)
        if (IsItemChecked(hwnd(), box.box)) flags = static_cast<std::uint8_t>(flags | box.flag);
    std::uint8_t timerCode = 0;
    if (flags & kHibernateAfterSuspend) {
        const int position = ListSelection(hwnd(), IDC_HIBERNATE_MINUTES);
        timerCode = position >= 0 ? static_cast<std::uint8_t>(position + 1) : 0;
    }
    flags_ = flags;
    timerCode_ = timerCode;
    SetHibernateStatus(flags_, timerCode_);
}
