#include "power_sheet/sheet/suspend_page.h"

#include <commctrl.h>

#include <string>

#include "common/win32/control_text.h"
#include "common/win32/controls.h"
#include "common/win32/load_string.h"
#include "machine_control/core/machine_operations.h"
#include "resources/corvessa/resource.h"

namespace {

constexpr ControlText kTexts[] = {
    {IDC_SUSPEND_FRAME, IDS_SUSPEND_FRAME},   {IDC_LCD_CLOSE, IDS_LCD_CLOSE},
    {IDC_SUSPEND_DOCKED, IDS_SUSPEND_DOCKED}, {IDC_RESUME_FRAME, IDS_RESUME_FRAME},
    {IDC_RESUME_ON_TIMER, IDS_RESUME_ON_TIMER}, {IDC_DATE_FRAME, IDS_DATE_FRAME},
    {IDC_MONTH_LABEL, IDS_MONTH},             {IDC_DAY_LABEL, IDS_DAY},
    {IDC_YEAR_LABEL, IDS_YEAR},               {IDC_EVERY_DAY, IDS_EVERY_DAY},
    {IDC_TIME_FRAME, IDS_TIME_FRAME},         {IDC_HOURS_LABEL, IDS_HOURS},
    {IDC_MINUTES_LABEL, IDS_MINUTES},         {IDC_SECONDS_LABEL, IDS_SECONDS},
};

// The controls of the date (without "everyday") and of the time.
constexpr int kDateControls[] = {IDC_MONTH, IDC_DAY, IDC_DAY_ARROWS, IDC_YEAR, IDC_YEAR_ARROWS};
constexpr int kTimeControls[] = {IDC_HOURS, IDC_MINUTES, IDC_SECONDS, IDC_TIME_ARROWS};

constexpr int kFirstYear = 1980, kLastYear = 2100;  // the arrows' range; apply refuses both ends

LRESULT Arrows(HWND page, int arrows, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return SendDlgItemMessageA(page, arrows, message, wParam, lParam);
}

void SetRange(HWND page, int arrows, int low, int high) { Arrows(page, arrows, UDM_SETRANGE, 0, MAKELPARAM(high, low)); }

// Sets the arrows' value, which writes it into their field as a plain number.
void SetPosition(HWND page, int arrows, int value) { Arrows(page, arrows, UDM_SETPOS, 0, MAKELPARAM(value, 0)); }

void Attach(HWND page, int arrows, int field, int low, int high, int value) {
    Arrows(page, arrows, UDM_SETBUDDY, reinterpret_cast<WPARAM>(GetDlgItem(page, field)));
    SetRange(page, arrows, low, high);
    SetPosition(page, arrows, value);
}

long FieldNumber(HWND page, int field) {
    char text[32] = "";
    GetDlgItemTextA(page, field, text, sizeof text);
    return ParseField(text);
}

void SetFieldNumber(HWND page, int field, unsigned value) { SetItemText(page, field, std::to_string(value).c_str()); }

// The days of month in year, or 31 while the month is unknown.
unsigned DaysShown(unsigned month, long year) {
    const unsigned days = DaysInMonth(month, year > 0 ? static_cast<unsigned>(year) : 0);
    return days != 0 ? days : 31;
}

}  // namespace

CSuspend::CSuspend(CorvessaContext context) : CPowerPage(context, IDD_SUSPEND, IDS_PAGE_SUSPEND) {}

void CSuspend::OnInitPage() {
    SetControlTexts(hwnd(), kTexts);
    ClearList(hwnd(), IDC_MONTH);
    for (UINT month = 0; month < 12; ++month) AddListString(hwnd(), IDC_MONTH, LoadStr(IDS_JANUARY + month).c_str());

    // A failed read leaves its values at 0: boxes clear, the timer off and every day.
    GetNotSuspendForLCDClose(lcdFlag_);
    GetSleepWhileDocked(dockedFlag_);
    ResumeTimerWire wire;
    GetResumeOnTimer(wire.enabled, wire.hours, wire.minutes, wire.seconds, wire.date, wire.year);
    const ResumeTimer timer = DecodeResumeTimer(wire);

    CheckItem(hwnd(), IDC_LCD_CLOSE, lcdFlag_ == 1);
    CheckItem(hwnd(), IDC_SUSPEND_DOCKED, dockedFlag_ == 1);

    Attach(hwnd(), IDC_DAY_ARROWS, IDC_DAY, 1, static_cast<int>(DaysShown(timer.month, timer.year)),
           static_cast<int>(timer.day));
    SelectListPosition(hwnd(), IDC_MONTH, static_cast<int>(timer.month) - 1);
    Attach(hwnd(), IDC_YEAR_ARROWS, IDC_YEAR, kFirstYear, kLastYear, static_cast<int>(timer.year));
    Attach(hwnd(), IDC_TIME_ARROWS, IDC_HOURS, 0, 23, static_cast<int>(timer.hours));
    Attach(hwnd(), IDC_TIME_ARROWS, IDC_MINUTES, 0, 59, static_cast<int>(timer.minutes));
    Attach(hwnd(), IDC_TIME_ARROWS, IDC_SECONDS, 0, 59, static_cast<int>(timer.seconds));

    CheckItem(hwnd(), IDC_RESUME_ON_TIMER, timer.enabled == 1);
    EnableTimer(timer.enabled == 1);

    if (timer.EveryDay()) {
        // Every day: shown on 1 January 2000, the date and "everyday" itself greyed.
        CheckItem(hwnd(), IDC_EVERY_DAY, true);
        SelectListPosition(hwnd(), IDC_MONTH, 0);
        SetRange(hwnd(), IDC_DAY_ARROWS, 1, 31);
        SetPosition(hwnd(), IDC_DAY_ARROWS, 1);
        SetPosition(hwnd(), IDC_YEAR_ARROWS, 2000);
        EnableDate(false);
        EnableItem(hwnd(), IDC_EVERY_DAY, false);
    } else {
        CheckItem(hwnd(), IDC_EVERY_DAY, false);
    }
    lastValid_ = LastValidFromTimer(timer);
}

void CSuspend::EnableTimer(bool enabled) {
    EnableDate(enabled);
    EnableItem(hwnd(), IDC_EVERY_DAY, enabled);
    for (int control : kTimeControls) EnableItem(hwnd(), control, enabled);
}

void CSuspend::EnableDate(bool enabled) {
    for (int control : kDateControls) EnableItem(hwnd(), control, enabled);
}

void CSuspend::FitDayToMonth(bool lowerDay) {
    const int month = ListSelection(hwnd(), IDC_MONTH) + 1;
    const int year = static_cast<short>(LOWORD(Arrows(hwnd(), IDC_YEAR_ARROWS, UDM_GETPOS)));
    const unsigned days = DaysShown(static_cast<unsigned>(month), year);
    SetRange(hwnd(), IDC_DAY_ARROWS, 1, static_cast<int>(days));
    if (lowerDay && FieldNumber(hwnd(), IDC_DAY) > static_cast<long>(days))
        SetPosition(hwnd(), IDC_DAY_ARROWS, static_cast<int>(days));
}

void CSuspend::AttachTimeArrows(int field) {
    Arrows(hwnd(), IDC_TIME_ARROWS, UDM_SETBUDDY, reinterpret_cast<WPARAM>(GetDlgItem(hwnd(), field)));
    SetRange(hwnd(), IDC_TIME_ARROWS, 0, field == IDC_HOURS ? 23 : 59);
}

bool CSuspend::OnPageCommand(int id, int code, HWND) {
    // While the page fills or corrects its own fields, their notifications
    // change nothing.
    if (Initialising() || restoring_) return false;
    switch (id) {
        case IDC_LCD_CLOSE:
        case IDC_SUSPEND_DOCKED:
            if (code != BN_CLICKED) return false;
            (id == IDC_LCD_CLOSE ? lcdFlag_ : dockedFlag_) = IsItemChecked(hwnd(), id) ? 1 : 0;
            break;
        case IDC_RESUME_ON_TIMER: {
            if (code != BN_CLICKED) return false;
            const bool on = IsItemChecked(hwnd(), id);
            if (on) CheckItem(hwnd(), IDC_EVERY_DAY, false);
            EnableTimer(on);
            break;
        }
        case IDC_EVERY_DAY:
            if (code != BN_CLICKED) return false;
            EnableDate(!IsItemChecked(hwnd(), id));
            break;
        case IDC_MONTH:
            if (code != CBN_SELCHANGE) return false;
            FitDayToMonth(true);
            break;
        case IDC_YEAR:
            if (code == EN_CHANGE) {
                FitDayToMonth(true);
                break;
            }
            if (code != EN_SETFOCUS) return false;
            FitDayToMonth(true);
            return true;
        case IDC_DAY:
            if (code == EN_CHANGE) break;
            if (code != EN_SETFOCUS) return false;
            FitDayToMonth(false);
            return true;
        case IDC_HOURS:
        case IDC_MINUTES:
        case IDC_SECONDS:
            if (code == EN_CHANGE) break;
            if (code != EN_SETFOCUS) return false;
            AttachTimeArrows(id);
            return true;
        default:
            return false;
    }
    Changed();
    return true;
}

void CSuspend::OnApply() {
    ResumeInput input;
    input.enabled = IsItemChecked(hwnd(), IDC_RESUME_ON_TIMER);
    input.everyDay = IsItemChecked(hwnd(), IDC_EVERY_DAY);
    input.month = ListSelection(hwnd(), IDC_MONTH) + 1;
    input.day = FieldNumber(hwnd(), IDC_DAY);
    input.year = FieldNumber(hwnd(), IDC_YEAR);
    input.hours = FieldNumber(hwnd(), IDC_HOURS);
    input.minutes = FieldNumber(hwnd(), IDC_MINUTES);
    input.seconds = FieldNumber(hwnd(), IDC_SECONDS);

    const ResumeVerdict verdict = CheckResumeInput(input, lastValid_);
    // Refused input goes back to the last valid values, silently.
    restoring_ = true;
    if (verdict.restoreDay) SetFieldNumber(hwnd(), IDC_DAY, lastValid_.day);
    if (verdict.restoreYear) SetFieldNumber(hwnd(), IDC_YEAR, lastValid_.year);
    if (verdict.restoreHours) SetFieldNumber(hwnd(), IDC_HOURS, lastValid_.hours);
    if (verdict.restoreMinutes) SetFieldNumber(hwnd(), IDC_MINUTES, lastValid_.minutes);
    if (verdict.restoreSeconds) SetFieldNumber(hwnd(), IDC_SECONDS, lastValid_.seconds);
    restoring_ = false;

    lcdFlag_ = IsItemChecked(hwnd(), IDC_LCD_CLOSE) ? 1 : 0;
    dockedFlag_ = IsItemChecked(hwnd(), IDC_SUSPEND_DOCKED) ? 1 : 0;
    SetNotSuspendForLCDClose(lcdFlag_);
    SetSleepWhileDocked(dockedFlag_);
    if (verdict.write) {
        const ResumeTimerWire& w = verdict.wire;
        SetResumeOnTimer(w.enabled, w.hours, w.minutes, w.seconds, w.date, w.year);
    }
}
