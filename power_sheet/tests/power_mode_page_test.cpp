// The Power Mode page over the machine model: what it shows at opening and for
// each mode, what its controls store, and what OK and Apply write.
#include <gtest/gtest.h>

#include "machine_control/core/smi_channel.h"
#include "machine_control/core/smi_request.h"
#include "power_sheet/tests/power_sheet_fixture.h"
#include "resources/corvessa/resource.h"

namespace {

constexpr std::uint32_t kPower = kSmiFunctionPower;

const int kAcPictures[] = {IDC_PICTURE_AC_PERFORMANCE, IDC_PICTURE_AC_LIFE, IDC_PICTURE_AC_CUSTOMIZED};
const int kBatteryPictures[] = {IDC_PICTURE_BATTERY_PERFORMANCE, IDC_PICTURE_BATTERY_LIFE,
                                IDC_PICTURE_BATTERY_CUSTOMIZED};
const int kTimerLists[] = {IDC_SUSPEND_TIMER, IDC_LCD_OFF_TIMER, IDC_HDD_OFF_TIMER};
const int kPlaceholders[] = {IDC_SUSPEND_TIMER_AUTOMATIC, IDC_LCD_OFF_TIMER_AUTOMATIC, IDC_HDD_OFF_TIMER_AUTOMATIC};

// The machine's defaults with a different code in each of BH, BL and CH,
// and other codes for each power source, so that a page that takes one for
// another, or asks for the wrong source, shows it. Everything else is the
// model's answer.
class DistinctDefaults final : public SmiTransport {
public:
    struct Codes {
        std::uint8_t lcdOff, hddOff, suspend;  // BH, BL, CH
    };
    static constexpr Codes kAc{8, 4, 11};       // "25", "20", "60"
    static constexpr Codes kBattery{3, 1, 5};   // "3", "3", "10"

    DistinctDefaults() : inner_(SetSmiTransport(this)) {}
    ~DistinctDefaults() { SetSmiTransport(inner_); }
    DistinctDefaults(const DistinctDefaults&) = delete;
    DistinctDefaults& operator=(const DistinctDefaults&) = delete;

    Bool32 Open() override { return inner_->Open(); }
    Bool32 Close() override { return inner_->Close(); }
    Bool32 Exchange(const SmiRequest& request, SmiRequest& reply) override {
        if (!inner_->Exchange(request, reply)) return 0;
        if (request.Eax != kPower || request.Ebx != 0x0216) return 1;  // GetPowerModeDefaultInfo
        const Codes& codes = DL(request) == kSelectorBattery ? kBattery : kAc;
        reply.Ebx = static_cast<std::uint32_t>(codes.lcdOff) << 8 | codes.hddOff;
        reply.Ecx = (reply.Ecx & 0xFFFF00FFu) | static_cast<std::uint32_t>(codes.suspend) << 8;
        return 1;
    }

private:
    SmiTransport* inner_;
};

class PowerModePageTest : public PowerSheetTest {
protected:
    PowerModePageTest() {
        // AC on maximum performance, battery on maximum battery life, and a
        // customized set that differs from every default.
        MachineState& s = model->state;
        s.powerMode[0] = 0;
        s.powerMode[1] = 0;
        s.powerMode[2] = 1;
        s.suspendTimer[0] = 9;
        s.lcdOffTimer[0] = 7;
        s.hddOffTimer[0] = 3;
        s.cpuSpeed[0] = 4;
        s.cdromSpeed = 2;
    }
    HWND OpenPowerMode() {
        Open();
        return ShowPage(kPowerModePage);
    }
    static std::vector<int> TimerSelections(HWND page) {
        return {Selection(page, IDC_SUSPEND_TIMER), Selection(page, IDC_LCD_OFF_TIMER), Selection(page, IDC_HDD_OFF_TIMER)};
    }
    static void ExpectSource(HWND page, bool battery) {
        EXPECT_EQ(ItemText(page, IDC_SOURCE_FRAME), battery ? "Battery" : "AC");
        for (int picture : kAcPictures) EXPECT_EQ(Shown(page, picture), !battery) << picture;
        for (int picture : kBatteryPictures) EXPECT_EQ(Shown(page, picture), battery) << picture;
    }
    static void ExpectTimerLists(HWND page, bool shown, bool enabled) {
        for (int list : kTimerLists) {
            EXPECT_EQ(Shown(page, list), shown) << list;
            if (shown) {
                EXPECT_EQ(Enabled(page, list), enabled) << list;
            }
        }
        for (int placeholder : kPlaceholders) EXPECT_EQ(Shown(page, placeholder), !shown) << placeholder;
    }
};

TEST_F(PowerModePageTest, OpensOnAcEvenOnBatteryAndTheSourceListSwitchesToTheBatteryMode) {
    model->state.externalPower = 0;
    HWND page = OpenPowerMode();
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(ItemText(page, IDC_MODE_CUSTOMIZED), "Customize");
    EXPECT_EQ(ItemText(page, IDC_CDROM_LABEL), "CDROM Speed");
    EXPECT_EQ(Selection(page, IDC_POWER_SOURCE), 0);
    ExpectSource(page, false);
    EXPECT_TRUE(Checked(page, IDC_MODE_PERFORMANCE));
    // Maximum performance: the machine's defaults for AC, read-only.
    ExpectTimerLists(page, true, false);
    EXPECT_EQ(TimerSelections(page), (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(CountRequests(*model, kPower, 0x0216, 0, kSelectorAc), 1) << "defaults asked for the source shown";
    EXPECT_EQ(Selection(page, IDC_PROCESSOR_SPEED), 0);
    EXPECT_FALSE(Enabled(page, IDC_PROCESSOR_SPEED));
    EXPECT_FALSE(Checked(page, IDC_AUTOMATIC_CLOCK));
    EXPECT_EQ(Selection(page, IDC_CDROM_SPEED), 2);
    EXPECT_TRUE(Enabled(page, IDC_CDROM_SPEED));
    EXPECT_FALSE(ApplyEnabled()) << "opening changes nothing";

    Choose(page, IDC_POWER_SOURCE, 1);
    ExpectSource(page, true);
    EXPECT_TRUE(Checked(page, IDC_MODE_BATTERY_LIFE));
    EXPECT_FALSE(Checked(page, IDC_MODE_PERFORMANCE));
    ExpectTimerLists(page, false, false);
    EXPECT_EQ(ItemText(page, IDC_SUSPEND_TIMER_AUTOMATIC), "Automatic");
    EXPECT_TRUE(ApplyEnabled());

    Click(page, IDC_MODE_PERFORMANCE);
    EXPECT_EQ(CountRequests(*model, kPower, 0x0216, 0, kSelectorBattery), 1);
    EXPECT_EQ(sheet->powerMode.settings().batteryMode, 0);
    EXPECT_EQ(sheet->powerMode.settings().acMode, 0);
    Choose(page, IDC_POWER_SOURCE, 0);
    ExpectSource(page, false);
    EXPECT_TRUE(Checked(page, IDC_MODE_PERFORMANCE));
}

TEST_F(PowerModePageTest, MaximumPerformanceShowsEachDefaultInItsOwnListForTheSourceShown) {
    DistinctDefaults defaults;
    HWND page = OpenPowerMode();
    // The lists in the order suspend, LCD off, HDD off: CH, BH, BL.
    const auto shows = [](const DistinctDefaults::Codes& c) { return std::vector<int>{c.suspend, c.lcdOff, c.hddOff}; };
    EXPECT_EQ(TimerSelections(page), shows(DistinctDefaults::kAc));
    Choose(page, IDC_POWER_SOURCE, 1);
    Click(page, IDC_MODE_PERFORMANCE);
    EXPECT_EQ(TimerSelections(page), shows(DistinctDefaults::kBattery));
    Choose(page, IDC_POWER_SOURCE, 0);
    EXPECT_EQ(TimerSelections(page), shows(DistinctDefaults::kAc));

    // Shown, never stored: the customized set goes out as it was.
    Press(kApplyButton);
    EXPECT_EQ(model->state.suspendTimer[0], 9);
    EXPECT_EQ(model->state.lcdOffTimer[0], 7);
    EXPECT_EQ(model->state.hddOffTimer[0], 3);
}

TEST_F(PowerModePageTest, CustomizeShowsTheStoredValuesAgainAfterTheDefaults) {
    HWND page = OpenPowerMode();
    Click(page, IDC_MODE_CUSTOMIZED);
    ExpectTimerLists(page, true, true);
    EXPECT_EQ(TimerSelections(page), (std::vector<int>{9, 7, 3}));
    EXPECT_EQ(Selection(page, IDC_PROCESSOR_SPEED), 2);
    EXPECT_TRUE(Checked(page, IDC_AUTOMATIC_CLOCK));
    EXPECT_TRUE(Enabled(page, IDC_AUTOMATIC_CLOCK));

    Click(page, IDC_MODE_PERFORMANCE);
    EXPECT_EQ(TimerSelections(page), (std::vector<int>{0, 0, 0}));
    Click(page, IDC_MODE_BATTERY_LIFE);
    ExpectTimerLists(page, false, false);
    Click(page, IDC_MODE_CUSTOMIZED);
    ExpectTimerLists(page, true, true);
    EXPECT_EQ(TimerSelections(page), (std::vector<int>{9, 7, 3})) << "the defaults were never stored";
    EXPECT_EQ(Selection(page, IDC_PROCESSOR_SPEED), 2);
    EXPECT_TRUE(Checked(page, IDC_AUTOMATIC_CLOCK));
}

TEST_F(PowerModePageTest, ProcessorListAndAutomaticClockMakeTheCodeSent) {
    HWND page = OpenPowerMode();
    Click(page, IDC_MODE_CUSTOMIZED);
    // "Maximum" disables and clears the automatic clock: code 0.
    Choose(page, IDC_PROCESSOR_SPEED, 0);
    EXPECT_FALSE(Enabled(page, IDC_AUTOMATIC_CLOCK));
    EXPECT_FALSE(Checked(page, IDC_AUTOMATIC_CLOCK));
    model->ClearLog();
    Press(kApplyButton);
    EXPECT_EQ(CountRequests(*model, kPower, 0x0114, 0, 0), 1);
    EXPECT_EQ(model->state.cpuSpeed[0], 0);

    // "Slow" with the box: code 4. "Medium" without it: code 1.
    Choose(page, IDC_PROCESSOR_SPEED, 2);
    EXPECT_TRUE(Enabled(page, IDC_AUTOMATIC_CLOCK));
    Click(page, IDC_AUTOMATIC_CLOCK);
    Press(kApplyButton);
    EXPECT_EQ(model->state.cpuSpeed[0], 4);
    Choose(page, IDC_PROCESSOR_SPEED, 1);
    Click(page, IDC_AUTOMATIC_CLOCK);
    Press(kApplyButton);
    EXPECT_EQ(model->state.cpuSpeed[0], 1);
}

TEST_F(PowerModePageTest, ApplyWritesBothModesAndTheWholeCustomizedSetInOrder) {
    HWND page = OpenPowerMode();
    // Only the battery mode changes.
    Choose(page, IDC_POWER_SOURCE, 1);
    Click(page, IDC_MODE_CUSTOMIZED);
    Choose(page, IDC_CDROM_SPEED, 1);
    EXPECT_TRUE(Logged().size() > 0);
    model->ClearLog();
    Press(kApplyButton);
    const std::vector<Sent> expected = {
        {kPower, 0x010F, 0x02, 0},               // the Hibernation Options page comes first
        {kPower, 0x0116, 0, kSelectorAc},        // SetPowerMode(1, maximum performance)
        {kPower, 0x0116, 2, kSelectorBattery},   // SetPowerMode(2, customized)
        {kPower, 0x0702, 0, 0},                  // SetLCDOffTimer(0, 7)
        {kPower, 0x0303, 0, 0},                  // SetHDDOffTimer(0, 3)
        {kPower, 0x090A, 0, 0},                  // SetSysSuspendTimer(0, 9)
        {kPower, 0x0114, 4, 0},                  // SetCPUSpeedforCustomized(0, slow + automatic)
        {kPower, 0x0115, 1, 0},                  // SetCDROMSpeed(normal)
    };
    EXPECT_EQ(Logged(), expected);
    EXPECT_FALSE(Closed()) << "Apply keeps the sheet open";
    EXPECT_EQ(sheet->powerMode.settings().selector, 0);
    EXPECT_EQ(model->state.powerMode[2], 2);
    EXPECT_TRUE(Checked(page, IDC_MODE_CUSTOMIZED)) << "the page keeps showing the choice";

    // OK writes the same, unchanged settings included, and closes.
    model->ClearLog();
    Press(IDOK);
    EXPECT_EQ(Logged(), expected);
    EXPECT_TRUE(Closed());
}

TEST_F(PowerModePageTest, CancelAndTheCloseBoxWriteNothing) {
    for (bool closeBox : {false, true}) {
        HWND page = OpenPowerMode();
        Click(page, IDC_MODE_BATTERY_LIFE);
        Choose(page, IDC_CDROM_SPEED, 0);
        model->ClearLog();
        if (closeBox)
            SendMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
        else
            Press(IDCANCEL);
        EXPECT_TRUE(Closed()) << closeBox;
        EXPECT_EQ(Logged(), std::vector<Sent>{}) << closeBox;
        EXPECT_EQ(model->state.powerMode[1], 0);
        DestroyWindow(window);
        window = nullptr;
    }
}

TEST_F(PowerModePageTest, WhatIsThisAsksForTheControlOrThePage) {
    HWND page = OpenPowerMode();
    struct Case {
        int control;
        POINT client;
        DWORD context;
    };
    const Case cases[] = {
        {IDC_CDROM_SPEED, {}, 0x50421},
        {IDC_MODE_CUSTOMIZED, {}, 0x50000 + IDC_MODE_CUSTOMIZED},
        {IDC_PROCESSOR_SPEED, {}, 0x50000 + IDC_PROCESSOR_SPEED},  // greyed, still found
        {0, {3, 3}, 0x20083},                                       // left of every frame
    };
    for (const Case& c : cases) {
        shell.popupHelp.clear();
        EXPECT_EQ(WhatsThis(page, c.control, c.client), "What is this?") << c.control;
        ASSERT_EQ(shell.popupHelp.size(), 1u) << c.control;
        EXPECT_EQ(shell.popupHelp[0].context, c.context) << c.control;
        EXPECT_EQ(shell.popupHelp[0].file, helpFile.path());
    }
}

TEST_F(PowerModePageTest, F1ShowsThePopupOfTheFocusedControlOrOfThePageShown) {
    HWND page = OpenPowerMode();
    constexpr int kTabs = 0x3020;  // comctl32's tab control of the sheet
    struct Case {
        HWND item;
        DWORD context;
    };
    const Case cases[] = {
        {GetDlgItem(page, IDC_CDROM_SPEED), 0x50421},
        {GetDlgItem(page, IDC_AUTOMATIC_CLOCK), 0x50000 + IDC_AUTOMATIC_CLOCK},
        {page, 0x20083},
        // The sheet's own buttons and tabs: the page shown.
        {GetDlgItem(window, IDOK), 0x20083},
        {GetDlgItem(window, kApplyButton), 0x20083},
        {GetDlgItem(window, kTabs), 0x20083},
    };
    for (const Case& c : cases) {
        ASSERT_NE(c.item, nullptr);
        shell.popupHelp.clear();
        // As the system reports F1: WM_HELP to the window with the focus,
        // passed up from child to parent.
        HELPINFO info{sizeof info, HELPINFO_WINDOW, GetDlgCtrlID(c.item), c.item, 0, {}};
        SendMessageA(c.item, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
        ASSERT_EQ(shell.popupHelp.size(), 1u) << std::hex << c.context;
        EXPECT_EQ(shell.popupHelp[0].context, c.context);
        EXPECT_EQ(shell.popupHelp[0].file, helpFile.path());
    }

    ShowPage(kSuspendPage);
    shell.popupHelp.clear();
    HWND cancel = GetDlgItem(window, IDCANCEL);
    HELPINFO info{sizeof info, HELPINFO_WINDOW, IDCANCEL, cancel, 0, {}};
    SendMessageA(cancel, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
    ASSERT_EQ(shell.popupHelp.size(), 1u);
    EXPECT_EQ(shell.popupHelp[0].context, 0x20082u);
}

TEST_F(PowerModePageTest, HelpSaysWhyWhenItsFileIsMissingOrTheReaderRefuses) {
    HWND page = OpenPowerMode();
    shell.helpAnswer = false;
    WhatsThis(page, IDC_CDROM_SPEED);
    EXPECT_EQ(shell.popupHelp.size(), 1u);
    EXPECT_EQ(shell.messages,
              std::vector<std::string>{"Windows Help could not be started. Close some programs and try again."});

    DeleteFileA(helpFile.path().c_str());
    shell.popupHelp.clear();
    shell.messages.clear();
    WhatsThis(page, IDC_CDROM_SPEED);
    EXPECT_TRUE(shell.popupHelp.empty()) << "the reader is not asked for a file that is not there";
    EXPECT_EQ(shell.messages, std::vector<std::string>{"Cannot find the help file " + helpFile.path() +
                                                       ". Run the Merovant setup again to restore the help."});
}

TEST_F(PowerModePageTest, WithoutTheDriverOpensOnTheFirstChoicesAndEmptyTimerLists) {
    model->FailNextRequests(1000);
    HWND page = OpenPowerMode();
    EXPECT_EQ(Selection(page, IDC_POWER_SOURCE), 0);
    EXPECT_TRUE(Checked(page, IDC_MODE_PERFORMANCE));
    EXPECT_EQ(TimerSelections(page), (std::vector<int>{-1, -1, -1}));
    EXPECT_EQ(Selection(page, IDC_PROCESSOR_SPEED), 0);
    EXPECT_EQ(Selection(page, IDC_CDROM_SPEED), 0);
    Press(IDOK);
    EXPECT_TRUE(Closed()) << "failed writes close the sheet all the same";
}

}  // namespace
