#include "power_sheet/sheet/hibernation_page.h"

#include "common/win32/configuration_key.h"
#include "common/win32/controls.h"
#include "common/win32/load_string.h"
#include "machine_control/core/machine_operations.h"
#include "resources/corvessa/resource.h"

namespace {

// The check boxes by bit of the flags byte; bits 5 to 7 are sent as 0.
constexpr int kFlagBoxes[] = {IDC_HIBERNATE_VESTRUNE, IDC_HIBERNATE_BY_SWITCH, IDC_HIBERNATE_BY_TIMER,
                              IDC_HIBERNATE_ON_LOW_BATTERY, IDC_HIBERNATE_AFTER_SUSPEND};
constexpr std::uint8_t kHibernateAfterSuspend = 0x10;

struct ControlText {
    int control;
    UINT text;
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

LRESULT ListMessage(HWND page, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return SendDlgItemMessageA(page, IDC_HIBERNATE_MINUTES, message, wParam, lParam);
}

}  // namespace

CHiberation::CHiberation(CorvessaContext context) : CPowerPage(context, IDD_HIBERNATION, IDS_PAGE_HIBERNATION) {}

void CHiberation::OnInitPage() {
    for (const ControlText& text : kTexts) SetItemText(hwnd(), text.control, LoadStr(text.text).c_str());
    ListMessage(hwnd(), CB_RESETCONTENT);
    for (const char* minutes : kMinutes) ListMessage(hwnd(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(minutes));

    // A failed read leaves both at 0.
    GetHibernateStatus(flags_, timerCode_);
    for (int bit = 0; bit < 5; ++bit) CheckItem(hwnd(), kFlagBoxes[bit], (flags_ >> bit) & 1);
    if (flags_ & kHibernateAfterSuspend) {
        ListMessage(hwnd(), CB_DELETESTRING, 0);
        // Code 0 (or one past the list) leaves the list without a selection.
        ListMessage(hwnd(), CB_SETCURSEL, static_cast<WPARAM>(timerCode_) - 1);
        EnableItem(hwnd(), IDC_HIBERNATE_MINUTES, true);
    } else {
        ListMessage(hwnd(), CB_SETCURSEL, 0);
        EnableItem(hwnd(), IDC_HIBERNATE_MINUTES, false);
    }
}

void CHiberation::ShowMinutesForHibernate(bool hibernate) {
    const LRESULT count = ListMessage(hwnd(), CB_GETCOUNT);
    if (hibernate && count == 4) {
        ListMessage(hwnd(), CB_DELETESTRING, 0);
        ListMessage(hwnd(), CB_SETCURSEL, 0);
    } else if (!hibernate && count == 3) {
        ListMessage(hwnd(), CB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(kMinutes[0]));
        ListMessage(hwnd(), CB_SETCURSEL, 0);
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
    for (int box : kFlagBoxes) {
        if (id != box || code != BN_CLICKED) continue;
        if (box == IDC_HIBERNATE_AFTER_SUSPEND) ShowMinutesForHibernate(IsItemChecked(hwnd(), box));
        Changed();
        return true;
    }
    return false;
}

// Starts the save-to-disk utility named in the shared key, without waiting;
// without the value nothing happens. It changes nothing on this page.
void CHiberation::StartHibernationUtility() {
    char commandLine[kConfigurationValueSize];
    if (!ReadConfigurationValue("HiberUtility", commandLine) || commandLine[0] == '\0') return;
    context().shell.StartProgram(commandLine);
}

void CHiberation::OnApply() {
    std::uint8_t flags = 0;
    for (int bit = 0; bit < 5; ++bit)
        if (IsItemChecked(hwnd(), kFlagBoxes[bit])) flags = static_cast<std::uint8_t>(flags | (1u << bit));
    std::uint8_t timerCode = 0;
    if (flags & kHibernateAfterSuspend) {
        const LRESULT position = ListMessage(hwnd(), CB_GETCURSEL);
        timerCode = position >= 0 ? static_cast<std::uint8_t>(position + 1) : 0;
    }
    flags_ = flags;
    timerCode_ = timerCode;
    SetHibernateStatus(flags_, timerCode_);
}
