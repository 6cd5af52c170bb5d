// The Suspend/Resume Options page over the machine model: the flags, the
// resume timer's date and time in their controls, the day that follows month
// and year, and what apply writes or refuses.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "machine_control/core/smi_request.h"
#include "power_sheet/tests/power_sheet_fixture.h"
#include "resources/corvessa/resource.h"

namespace {

constexpr std::uint32_t kPower = kSmiFunctionPower;
constexpr std::uint32_t kDisplay = kSmiFunctionDisplay;

struct Timer {
    std::uint8_t enabled, hours, minutes, seconds;
    std::uint16_t date, year;
};

class SuspendPageTest : public PowerSheetTest {
protected:
    HWND OpenSuspend(const Timer& t) {
        MachineState& s = model->state;
        s.resumeEnabled = t.enabled;
        s.resumeHours = t.hours;
        s.resumeMinutes = t.minutes;
        s.resumeSeconds = t.seconds;
        s.resumeDate = t.date;
        s.resumeYear = t.year;
        Open();
        return ShowPage(kSuspendPage);
    }
    static void Type(HWND page, int field, const char* text) { SetDlgItemTextA(page, field, text); }
    // Applies; the SetResumeOnTimer sent, if any, and how many flag writes went along.
    std::vector<SmiRequest> AppliedTimer(int* flagWrites = nullptr) {
        model->ClearLog();
        Press(kApplyButton);
        std::vector<SmiRequest> timers;
        int flags = 0;
        for (const SmiRequest& r : LoggedRequests(*model)) {
            if (r.Eax == kPower && (r.Ebx & 0xFF) == 0x06) timers.push_back(r);
            if ((r.Eax == kPower || r.Eax == kDisplay) && (r.Ebx & 0xFF) == 0x0E) ++flags;
        }
        if (flagWrites != nullptr) *flagWrites = flags;
        return timers;
    }
    static std::pair<int, int> Range(HWND page, int arrows) {
        int low = 0, high = 0;
        SendDlgItemMessageA(page, arrows, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low), reinterpret_cast<LPARAM>(&high));
        return {low, high};
    }
};

const Timer kOnFirstOfJanuary2001 = {1, 0x07, 0x30, 0x00, 0x0101, 0x2001};

TEST_F(SuspendPageTest, OpensOnTheFlagsAndTheTimerInPlainNumbers) {
    model->state.notSuspendForLcdClose = 1;
    model->state.sleepWhileDocked = 0;
    HWND page = OpenSuspend({1, 0x23, 0x05, 0x09, 0x0229, 0x2004});
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(Text(page, IDC_LCD_CLOSE), "Will not Suspend even if LCD is closed.");
    EXPECT_EQ(Text(page, IDC_TIME_COLON1), ":");
    EXPECT_TRUE(Checked(page, IDC_LCD_CLOSE));
    EXPECT_FALSE(Checked(page, IDC_SUSPEND_DOCKED));
    EXPECT_TRUE(Checked(page, IDC_RESUME_ON_TIMER));
    EXPECT_FALSE(Checked(page, IDC_EVERY_DAY));
    EXPECT_EQ(Selection(page, IDC_MONTH), 1);
    EXPECT_EQ(Text(page, IDC_DAY), "29");
    EXPECT_EQ(Range(page, IDC_DAY_ARROWS), std::make_pair(1, 29));
    EXPECT_EQ(Text(page, IDC_YEAR), "2004");
    EXPECT_EQ(Range(page, IDC_YEAR_ARROWS), std::make_pair(1980, 2100));
    EXPECT_EQ(Text(page, IDC_HOURS), "23");
    EXPECT_EQ(Text(page, IDC_MINUTES), "5");
    EXPECT_EQ(Text(page, IDC_SECONDS), "9");
    for (int control : {IDC_MONTH, IDC_DAY, IDC_YEAR, IDC_EVERY_DAY, IDC_HOURS, IDC_TIME_ARROWS})
        EXPECT_TRUE(Enabled(page, control)) << control;
    EXPECT_FALSE(ApplyEnabled()) << "filling the fields is no change";

    // The time arrows follow the focused time field, with its range.
    SendMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_HOURS, EN_SETFOCUS),
                 reinterpret_cast<LPARAM>(GetDlgItem(page, IDC_HOURS)));
    EXPECT_EQ(reinterpret_cast<HWND>(SendDlgItemMessageA(page, IDC_TIME_ARROWS, UDM_GETBUDDY, 0, 0)),
              GetDlgItem(page, IDC_HOURS));
    EXPECT_EQ(Range(page, IDC_TIME_ARROWS), std::make_pair(0, 23));
    SendMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_MINUTES, EN_SETFOCUS),
                 reinterpret_cast<LPARAM>(GetDlgItem(page, IDC_MINUTES)));
    EXPECT_EQ(Range(page, IDC_TIME_ARROWS), std::make_pair(0, 59));
}

TEST_F(SuspendPageTest, EveryDayTimerOpensGreyedOnFirstOfJanuary2000AndSendsDateZero) {
    HWND page = OpenSuspend({1, 0x06, 0x15, 0x00, 0, 0});
    EXPECT_TRUE(Checked(page, IDC_EVERY_DAY));
    EXPECT_FALSE(Enabled(page, IDC_EVERY_DAY));
    EXPECT_EQ(Selection(page, IDC_MONTH), 0);
    EXPECT_EQ(Text(page, IDC_DAY), "1");
    EXPECT_EQ(Text(page, IDC_YEAR), "2000");
    for (int control : {IDC_MONTH, IDC_DAY, IDC_DAY_ARROWS, IDC_YEAR, IDC_YEAR_ARROWS})
        EXPECT_FALSE(Enabled(page, control)) << control;
    EXPECT_TRUE(Enabled(page, IDC_HOURS));
    std::vector<SmiRequest> sent = AppliedTimer();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].Esi, 0u);
    EXPECT_EQ(sent[0].Edi, 0u);
    EXPECT_EQ(sent[0].Edx, 0x0615u);

    // Off and on again: "everyday" cleared and enabled, the date with it.
    Click(page, IDC_RESUME_ON_TIMER);
    EXPECT_FALSE(Enabled(page, IDC_HOURS));
    Click(page, IDC_RESUME_ON_TIMER);
    EXPECT_FALSE(Checked(page, IDC_EVERY_DAY));
    EXPECT_TRUE(Enabled(page, IDC_EVERY_DAY));
    EXPECT_TRUE(Enabled(page, IDC_MONTH));
    sent = AppliedTimer();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].Esi, 0x0101u);
    EXPECT_EQ(sent[0].Edi, 0x2000u);

    // Checked by the user: the date controls grey, the date goes as 0.
    Click(page, IDC_EVERY_DAY);
    EXPECT_FALSE(Enabled(page, IDC_DAY));
    sent = AppliedTimer();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].Esi, 0u);
    EXPECT_EQ(sent[0].Edi, 0u);
}

TEST_F(SuspendPageTest, TheDayFollowsMonthAndYear) {
    HWND page = OpenSuspend({1, 0x07, 0x30, 0x00, 0x0131, 0x2001});
    Choose(page, IDC_MONTH, 3);  // April
    EXPECT_EQ(Text(page, IDC_DAY), "30");
    EXPECT_EQ(Range(page, IDC_DAY_ARROWS), std::make_pair(1, 30));
    Choose(page, IDC_MONTH, 1);  // February 2001
    EXPECT_EQ(Text(page, IDC_DAY), "28");
    Type(page, IDC_YEAR, "2004");
    EXPECT_EQ(Range(page, IDC_DAY_ARROWS), std::make_pair(1, 29));
    Type(page, IDC_DAY, "29");
    Type(page, IDC_YEAR, "2001");
    EXPECT_EQ(Text(page, IDC_DAY), "28");
    EXPECT_TRUE(ApplyEnabled());
}

TEST_F(SuspendPageTest, ApplyChecksTheDateAndTimeAndPutsBackWhatItRefuses) {
    struct Case {
        const char* name;
        int month;  // list position
        const char *day, *year, *hours;
        bool written;
        std::uint32_t date, yearWord;
        const char *dayShown, *yearShown, *hoursShown;  // after the apply
    };
    const Case cases[] = {
        {"29 February 2000", 1, "29", "2000", "7", true, 0x0229, 0x2000, "29", "2000", "7"},
        {"29 February 2004", 1, "29", "2004", "7", true, 0x0229, 0x2004, "29", "2004", "7"},
        {"29 February 1999", 1, "29", "1999", "7", false, 0, 0, "1", "1999", "7"},
        {"1980", 0, "5", "1980", "7", false, 0, 0, "5", "2001", "7"},
        {"2100", 0, "5", "2100", "7", false, 0, 0, "5", "2001", "7"},
        {"24 o'clock", 0, "5", "2001", "24", false, 0, 0, "5", "2001", "7"},
        {"not a number", 0, "5", "20x1", "7", false, 0, 0, "5", "2001", "7"},
    };
    for (const Case& c : cases) {
        HWND page = OpenSuspend(kOnFirstOfJanuary2001);
        // The year first: a year typed after the day would bring the day down
        // to its month's last.
        Choose(page, IDC_MONTH, c.month);
        Type(page, IDC_YEAR, c.year);
        Type(page, IDC_DAY, c.day);
        Type(page, IDC_HOURS, c.hours);
        int flagWrites = 0;
        const std::vector<SmiRequest> sent = AppliedTimer(&flagWrites);
        EXPECT_EQ(flagWrites, 2) << c.name << ": the two flags are written always";
        ASSERT_EQ(sent.size(), c.written ? 1u : 0u) << c.name;
        if (c.written) {
            EXPECT_EQ(sent[0].Esi, c.date) << c.name;
            EXPECT_EQ(sent[0].Edi, c.yearWord) << c.name;
        }
        EXPECT_EQ(Text(page, IDC_DAY), c.dayShown) << c.name;
        EXPECT_EQ(Text(page, IDC_YEAR), c.yearShown) << c.name;
        EXPECT_EQ(Text(page, IDC_HOURS), c.hoursShown) << c.name;
        EXPECT_FALSE(Closed()) << c.name;
        DestroyWindow(window);
        window = nullptr;
    }
}

TEST_F(SuspendPageTest, RefusedApplyThenCorrectedOneWritesTheLastOfDecember2099) {
    HWND page = OpenSuspend(kOnFirstOfJanuary2001);
    Type(page, IDC_YEAR, "1980");
    EXPECT_TRUE(AppliedTimer().empty());
    EXPECT_EQ(Text(page, IDC_YEAR), "2001");

    Choose(page, IDC_MONTH, 11);
    Type(page, IDC_DAY, "31");
    Type(page, IDC_YEAR, "2099");
    Type(page, IDC_HOURS, "23");
    Type(page, IDC_MINUTES, "59");
    Type(page, IDC_SECONDS, "59");
    const std::vector<SmiRequest> sent = AppliedTimer();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].Ebx, 0x0106u);   // enabled
    EXPECT_EQ(sent[0].Edx, 0x2359u);   // DH 0x23, DL 0x59
    EXPECT_EQ(sent[0].Ecx, 0x5900u);   // CH 0x59, CL 0
    EXPECT_EQ(sent[0].Esi, 0x1231u);
    EXPECT_EQ(sent[0].Edi, 0x2099u);
    EXPECT_EQ(model->state.resumeYear, 0x2099);
}

TEST_F(SuspendPageTest, TimerOffIsSentAsTheFieldsStandAndTheFlagsFollowTheirBoxes) {
    HWND page = OpenSuspend({0, 0x07, 0x30, 0x00, 0x0315, 0x2001});
    EXPECT_FALSE(Enabled(page, IDC_MONTH));
    Type(page, IDC_DAY, "31");
    Type(page, IDC_YEAR, "1980");
    Click(page, IDC_LCD_CLOSE);
    Click(page, IDC_SUSPEND_DOCKED);
    const std::vector<SmiRequest> sent = AppliedTimer();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].Ebx, 0x0006u);
    EXPECT_EQ(sent[0].Esi, 0x0331u);
    EXPECT_EQ(sent[0].Edi, 0x1980u);
    EXPECT_EQ(model->state.notSuspendForLcdClose, 1);
    EXPECT_EQ(model->state.sleepWhileDocked, 1);
}

}  // namespace
