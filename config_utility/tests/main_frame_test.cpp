// The main frame over the machine model: toolbar, its groups, the commands and
// the two timers.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <initializer_list>
#include <memory>

#include "common/win32/load_string.h"
#include "config_utility/frame/main_frame.h"
#include "config_utility/frame/main_toolbar.h"
#include "config_utility/tests/merovant_test_fixture.h"
#include "resources/merovant/resource.h"
#include "tests/support/window_text.h"

namespace {

constexpr std::uint32_t kPower = kSmiFunctionPower;
constexpr std::uint32_t kDisplay = kSmiFunctionDisplay;

bool IsToolbarButtonChecked(HWND toolbar, int command) {
    // -1 for a command the toolbar does not have.
    return SendMessageA(toolbar, TB_ISBUTTONCHECKED, command, 0) > 0;
}

const std::initializer_list<int> kToolbarGroups = {
    ID_POWER_AC_PERFORMANCE, ID_POWER_AC_BATTERY_LIFE, ID_POWER_AC_CUSTOMIZED,
    ID_POWER_BATTERY_PERFORMANCE, ID_POWER_BATTERY_BATTERY_LIFE, ID_POWER_BATTERY_CUSTOMIZED,
    ID_DISPLAY_LCD, ID_DISPLAY_EXTERNAL, ID_DISPLAY_BOTH,
    ID_SCREEN_BLANK_ENABLE, ID_SCREEN_BLANK_DISABLE};

class MainFrameTest : public FrameOverModel {
protected:
    void Create() {
        CreateFrame();
        model->ClearLog();
    }
    // The checked buttons of the toolbar's groups.
    std::vector<int> Checked() const {
        std::vector<int> checked;
        for (int command : kToolbarGroups)
            if (IsToolbarButtonChecked(frame->toolbar(), command)) checked.push_back(command);
        return checked;
    }
    void Command(int command) { SendMessageA(frame->hwnd(), WM_COMMAND, command, 0); }
    void Tick(UINT_PTR timer) { SendMessageA(frame->hwnd(), WM_TIMER, timer, 0); }
    int Sent(std::uint32_t eax, std::uint32_t ebx, std::uint32_t ecx = 0, std::uint32_t edx = 0) const {
        return CountRequests(*model, eax, ebx, ecx, edx);
    }

};

TEST_F(MainFrameTest, CreationLoadsTheToolbarOfThePowerSourceAndChecksTheMachineState) {
    struct Case {
        std::uint8_t externalPower, modeAc, modeBattery, display, blank;
        int resource;
        std::vector<int> checked;
    };
    const Case cases[] = {
        {1, 1, 0, 2, 1, IDR_TOOLBAR_AC, {ID_POWER_AC_BATTERY_LIFE, ID_DISPLAY_BOTH, ID_SCREEN_BLANK_DISABLE}},
        {1, 0, 2, 1, 0, IDR_TOOLBAR_AC, {ID_POWER_AC_PERFORMANCE, ID_DISPLAY_LCD, ID_SCREEN_BLANK_ENABLE}},
        {0, 0, 2, 0, 0, IDR_TOOLBAR_BATTERY,
         {ID_POWER_BATTERY_CUSTOMIZED, ID_DISPLAY_EXTERNAL, ID_SCREEN_BLANK_ENABLE}},
        // Values outside the groups check nothing.
        {0, 0, 7, 9, 4, IDR_TOOLBAR_BATTERY, {}},
    };
    for (const Case& c : cases) {
        model->state.externalPower = c.externalPower;
        model->state.powerMode[1] = c.modeAc;
        model->state.powerMode[2] = c.modeBattery;
        model->state.curDisplay = c.display;
        model->state.screenBlank = c.blank;
        Create();
        EXPECT_EQ(frame->toolbarResource(), c.resource);
        EXPECT_EQ(Checked(), c.checked) << "power " << int(c.externalPower) << " display " << int(c.display);
        frame.reset();
    }
}

TEST_F(MainFrameTest, ToolbarShowsTheFourGroupsAndHelpAndHidesTheRest) {
    Create();
    HWND toolbar = frame->toolbar();
    ASSERT_EQ(SendMessageA(toolbar, TB_BUTTONCOUNT, 0, 0), 27);
    std::vector<int> shown;
    for (int i = 0; i < 27; ++i) {
        TBBUTTON b{};
        SendMessageA(toolbar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&b));
        if (!(b.fsStyle & TBSTYLE_SEP)) {
            shown.push_back(b.idCommand);
            EXPECT_EQ(b.iBitmap, i);
            EXPECT_EQ((b.fsStyle & TBSTYLE_CHECKGROUP) == TBSTYLE_CHECKGROUP, b.idCommand != ID_HELP_MAIN_WINDOW);
        }
    }
    EXPECT_EQ(shown, (std::vector<int>{ID_POWER_AC_PERFORMANCE, ID_POWER_AC_BATTERY_LIFE, ID_POWER_AC_CUSTOMIZED,
                                       ID_DISPLAY_LCD, ID_DISPLAY_EXTERNAL, ID_DISPLAY_BOTH,
                                       ID_SCREEN_BLANK_ENABLE, ID_SCREEN_BLANK_DISABLE, ID_HELP_MAIN_WINDOW}));
    EXPECT_EQ(GetDlgCtrlID(toolbar), IDW_TOOLBAR);
    EXPECT_EQ(GetDlgCtrlID(frame->statusBar()), IDW_STATUS_BAR);
}

TEST_F(MainFrameTest, FailedQueriesCheckNothingAndNoPowerSourceMeansNoToolbar) {
    transport.failing = {{kPower, 0x0016}, {kDisplay, 0x000B}, {kPower, 0x020D}};
    Create();
    EXPECT_EQ(frame->toolbarResource(), IDR_TOOLBAR_AC);
    EXPECT_EQ(Checked(), std::vector<int>{});
    frame.reset();

    transport.failing = {{kPower, 0x0020}};
    Create();
    EXPECT_EQ(frame->toolbar(), nullptr);
    EXPECT_NE(frame->statusBar(), nullptr);
    Tick(CMainFrame::kPowerTimer);  // still no power source: nothing to follow
    EXPECT_EQ(frame->toolbar(), nullptr);
}

TEST_F(MainFrameTest, ToolbarCommandsActAtOnceAndCheckThePressedButton) {
    struct Case {
        std::uint8_t externalPower;
        int command;
        struct {
            std::uint32_t eax, ebx, ecx, edx;
        } sent;
        int checked;          // the group's button checked afterwards
    };
    model->state.monitorConnected = 1;
    const Case cases[] = {
        {1, ID_DISPLAY_LCD, {kDisplay, 0x010B, 1, 0}, ID_DISPLAY_LCD},
        {1, ID_DISPLAY_EXTERNAL, {kDisplay, 0x010B, 0, 0}, ID_DISPLAY_EXTERNAL},
        {1, ID_DISPLAY_BOTH, {kDisplay, 0x010B, 2, 0}, ID_DISPLAY_BOTH},
        {1, ID_SCREEN_BLANK_DISABLE, {kPower, 0x010D, 0, 0}, ID_SCREEN_BLANK_DISABLE},
        {1, ID_SCREEN_BLANK_ENABLE, {kPower, 0x000D, 0, 0}, ID_SCREEN_BLANK_ENABLE},
        {1, ID_POWER_AC_PERFORMANCE, {kPower, 0x0116, 0, 1}, ID_POWER_AC_PERFORMANCE},
        {1, ID_POWER_AC_CUSTOMIZED, {kPower, 0x0116, 2, 1}, ID_POWER_AC_CUSTOMIZED},
        {0, ID_POWER_BATTERY_BATTERY_LIFE, {kPower, 0x0116, 1, 2}, ID_POWER_BATTERY_BATTERY_LIFE},
        {0, ID_POWER_BATTERY_PERFORMANCE, {kPower, 0x0116, 0, 2}, ID_POWER_BATTERY_PERFORMANCE},
    };
    for (const Case& c : cases) {
        model->state.externalPower = c.externalPower;
        model->state.curDisplay = 1;
        model->state.screenBlank = 0;
        model->state.powerMode[1] = model->state.powerMode[2] = 1;
        Create();
        Command(c.command);
        EXPECT_EQ(Sent(c.sent.eax, c.sent.ebx, c.sent.ecx, c.sent.edx), 1) << c.command;
        EXPECT_TRUE(IsToolbarButtonChecked(frame->toolbar(), c.checked)) << c.command;
        EXPECT_EQ(Checked().size(), 3u) << "one button per group for " << c.command;
        frame.reset();
    }
    EXPECT_TRUE(shell.messages.empty());
}

TEST_F(MainFrameTest, DisplayCommandsRememberTheOutput) {
    model->state.monitorConnected = 1;
    Create();
    Command(ID_DISPLAY_BOTH);
    EXPECT_EQ(frame->curDisplay(), 2);
    EXPECT_EQ(model->state.curDisplay, 2);
    Command(ID_DISPLAY_EXTERNAL);
    EXPECT_EQ(frame->curDisplay(), 0);
    // A failed set leaves the buttons as pressed.
    transport.failing = {{kDisplay, 0x010B}};
    Command(ID_DISPLAY_LCD);
    EXPECT_EQ(frame->curDisplay(), 1);
    EXPECT_EQ(model->state.curDisplay, 0);
    EXPECT_TRUE(IsToolbarButtonChecked(frame->toolbar(), ID_DISPLAY_LCD));
}

TEST_F(MainFrameTest, ExternalDisplayWithoutMonitorSaysSoOnceAndStaysOnLcd) {
    model->state.monitorConnected = 0;
    Create();
    Command(ID_DISPLAY_EXTERNAL);
    EXPECT_EQ(shell.messages, std::vector<std::string>{LoadStr(IDS_NO_MONITOR)});
    EXPECT_EQ(shell.messages[0], "No monitor connects to your computer.  Display restores to LCD panel.");
    EXPECT_EQ(Sent(kDisplay, 0x010B, 1), 1);
    EXPECT_EQ(Sent(kDisplay, 0x010B, 0), 0);
    EXPECT_TRUE(IsToolbarButtonChecked(frame->toolbar(), ID_DISPLAY_LCD));
    EXPECT_FALSE(IsToolbarButtonChecked(frame->toolbar(), ID_DISPLAY_EXTERNAL));
    EXPECT_EQ(frame->curDisplay(), 1);
}

TEST_F(MainFrameTest, PowerTimerSwapsTheToolbarWhenThePowerSourceChanges) {
    model->state.externalPower = 1;
    model->state.curDisplay = 2;
    Create();
    ASSERT_EQ(frame->toolbarResource(), IDR_TOOLBAR_AC);
    Tick(CMainFrame::kPowerTimer);
    EXPECT_EQ(frame->toolbarResource(), IDR_TOOLBAR_AC);
    EXPECT_EQ(Sent(kDisplay, 0x000B), 0) << "the display is read again only after a change";

    model->state.externalPower = 0;
    model->state.powerMode[2] = 1;
    Tick(CMainFrame::kPowerTimer);
    EXPECT_EQ(frame->toolbarResource(), IDR_TOOLBAR_BATTERY);
    EXPECT_EQ(Checked(), (std::vector<int>{ID_POWER_BATTERY_BATTERY_LIFE, ID_DISPLAY_BOTH}));
    EXPECT_EQ(frame->curDisplay(), 2);

    model->state.externalPower = 1;
    model->state.powerMode[1] = 2;
    Tick(CMainFrame::kPowerTimer);
    EXPECT_EQ(frame->toolbarResource(), IDR_TOOLBAR_AC);
    EXPECT_EQ(Checked(), (std::vector<int>{ID_POWER_AC_CUSTOMIZED, ID_DISPLAY_BOTH}));
}

TEST_F(MainFrameTest, PowerTimerRestoresLcdWhenTheExternalDisplayHasGone) {
    model->state.externalPower = 1;
    Create();
    model->state.externalPower = 0;
    model->state.curDisplay = 0;
    model->state.monitorConnected = 0;
    Tick(CMainFrame::kPowerTimer);
    EXPECT_EQ(shell.messages, std::vector<std::string>{LoadStr(IDS_NO_MONITOR)});
    EXPECT_EQ(model->state.curDisplay, 1);
    EXPECT_TRUE(IsToolbarButtonChecked(frame->toolbar(), ID_DISPLAY_LCD));
    EXPECT_EQ(frame->curDisplay(), 1);

    // A failed display read after the next change counts as LCD.
    model->state.externalPower = 1;
    transport.failing = {{kDisplay, 0x000B}};
    Tick(CMainFrame::kPowerTimer);
    EXPECT_EQ(shell.messages.size(), 1u);
    EXPECT_TRUE(IsToolbarButtonChecked(frame->toolbar(), ID_DISPLAY_LCD));
}

TEST_F(MainFrameTest, PowerTimerFollowsThePowerModeAndKeepsItOnFailure) {
    model->state.powerMode[1] = 0;
    Create();
    model->state.powerMode[1] = 1;
    Tick(CMainFrame::kPowerTimer);
    EXPECT_TRUE(IsToolbarButtonChecked(frame->toolbar(), ID_POWER_AC_BATTERY_LIFE));
    EXPECT_FALSE(IsToolbarButtonChecked(frame->toolbar(), ID_POWER_AC_PERFORMANCE));

    model->state.powerMode[1] = 2;
    transport.failing = {{kPower, 0x0016}};
    Tick(CMainFrame::kPowerTimer);
    EXPECT_TRUE(IsToolbarButtonChecked(frame->toolbar(), ID_POWER_AC_BATTERY_LIFE));
    transport.failing = {{kPower, 0x0020}};  // the source read fails: the last one still counts
    Tick(CMainFrame::kPowerTimer);
    EXPECT_TRUE(IsToolbarButtonChecked(frame->toolbar(), ID_POWER_AC_CUSTOMIZED));
    EXPECT_EQ(frame->toolbarResource(), IDR_TOOLBAR_AC);
}

TEST_F(MainFrameTest, BlankTimerFollowsTheScreenBlanking) {
    model->state.screenBlank = 0;
    Create();
    const std::vector<int> blank = {ID_SCREEN_BLANK_ENABLE, ID_SCREEN_BLANK_DISABLE};
    auto checkedBlank = [&] {
        std::vector<int> checked;
        for (int c : blank)
            if (IsToolbarButtonChecked(frame->toolbar(), c)) checked.push_back(c);
        return checked;
    };
    model->state.screenBlank = 1;
    Tick(CMainFrame::kBlankTimer);
    EXPECT_EQ(checkedBlank(), std::vector<int>{ID_SCREEN_BLANK_DISABLE});
    model->state.screenBlank = 3;
    Tick(CMainFrame::kBlankTimer);
    EXPECT_EQ(checkedBlank(), std::vector<int>{ID_SCREEN_BLANK_DISABLE});
    model->state.screenBlank = 0;
    Tick(CMainFrame::kBlankTimer);
    EXPECT_EQ(checkedBlank(), std::vector<int>{ID_SCREEN_BLANK_ENABLE});
}

TEST_F(MainFrameTest, TimersRunEverySecondUntilTheWindowCloses) {
    Create();
    model->state.screenBlank = 1;
    const DWORD start = GetTickCount();
    MSG msg;
    while (!IsToolbarButtonChecked(frame->toolbar(), ID_SCREEN_BLANK_DISABLE) && GetTickCount() - start < 3000) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        Sleep(20);
    }
    EXPECT_TRUE(IsToolbarButtonChecked(frame->toolbar(), ID_SCREEN_BLANK_DISABLE));
    EXPECT_GE(CountRequests(*model, kPower, 0x0020), 1) << "timer 2 ran";

    SendMessageA(frame->hwnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(frame->hwnd(), nullptr);
}

TEST_F(MainFrameTest, WindowHasItsFixedSizeStyleTitleAndMenuTexts) {
    Create();
    RECT r;
    GetWindowRect(frame->hwnd(), &r);
    EXPECT_EQ(r.right - r.left, 2 * GetSystemMetrics(SM_CXBORDER) + 503);
    const LONG style = GetWindowLongA(frame->hwnd(), GWL_STYLE);
    EXPECT_FALSE(style & (WS_MAXIMIZEBOX | WS_THICKFRAME));
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_EQ(WindowText(frame->hwnd()), "Merovant Configuration");
    EXPECT_TRUE(ShowsProgramIcon(frame->hwnd()));

    HMENU menu = GetMenu(frame->hwnd());
    EXPECT_EQ(MenuText(menu, 0, MF_BYPOSITION), LoadStr(IDS_MENU_DEVICE_CONFIGURATION));
    EXPECT_EQ(MenuText(menu, 5, MF_BYPOSITION), LoadStr(IDS_MENU_HELP));
    EXPECT_EQ(MenuText(menu, ID_VIEW_PORT_REPLICATOR), "&Port Replicator View");
    EXPECT_EQ(MenuText(menu, ID_PAGE_SYSTEM_INFORMATION), LoadStr(IDS_ITEM_SYSTEM_INFORMATION));

    auto viewChecked = [&](int item) { return (GetMenuState(menu, item, MF_BYCOMMAND) & MF_CHECKED) != 0; };
    EXPECT_TRUE(viewChecked(ID_VIEW_FRONT));
    Command(ID_VIEW_PORT_REPLICATOR);
    EXPECT_FALSE(viewChecked(ID_VIEW_FRONT));
    EXPECT_TRUE(viewChecked(ID_VIEW_PORT_REPLICATOR));
    Command(ID_VIEW_REAR);
    EXPECT_TRUE(viewChecked(ID_VIEW_REAR));
    EXPECT_FALSE(viewChecked(ID_VIEW_PORT_REPLICATOR));
}

TEST_F(MainFrameTest, TooltipsAndStatusTextsComeFromTheCommandStrings) {
    Create();
    NMTTDISPINFOA info{};
    info.hdr.hwndFrom = frame->toolbar();
    info.hdr.idFrom = ID_POWER_AC_PERFORMANCE;
    info.hdr.code = TTN_GETDISPINFOA;
    SendMessageA(frame->hwnd(), WM_NOTIFY, IDW_TOOLBAR, reinterpret_cast<LPARAM>(&info));
    ASSERT_NE(info.lpszText, nullptr);
    EXPECT_STREQ(info.lpszText, "Maximum Performance (AC) Fn+F11 ");

}

// The fly-by as comctl32 4.00 gives it: no TBN_HOTITEMCHANGE, only the
// toolbar's own mouse moves, hit-tested against each button's rectangle.
TEST_F(MainFrameTest, StatusBarFollowsTheMouseOverTheToolbarButtons) {
    Create();
    const HWND toolbar = frame->toolbar();
    const auto status = [&] {
        char text[128] = "";
        SendMessageA(frame->statusBar(), SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
        return std::string(text);
    };
    const auto moveTo = [&](POINT p) { SendMessageA(toolbar, WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y)); };

    int buttons = 0;
    const int count = static_cast<int>(SendMessageA(toolbar, TB_BUTTONCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        TBBUTTON button{};
        RECT rect{};
        ASSERT_TRUE(SendMessageA(toolbar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button)));
        if ((button.fsStyle & TBSTYLE_SEP) || (button.fsState & TBSTATE_HIDDEN)) continue;
        ASSERT_TRUE(SendMessageA(toolbar, TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&rect)));
        moveTo({(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
        const std::string full = LoadStr(static_cast<UINT>(button.idCommand));
        EXPECT_EQ(status(), full.substr(0, full.find('\n'))) << "button " << button.idCommand;
        ++buttons;
    }
    EXPECT_GE(buttons, 8);

    // Past the last button, and the mouse gone from the toolbar (the frame is
    // hidden, so the cursor is never over it when the leave timer looks).
    RECT last{};
    SendMessageA(toolbar, TB_GETITEMRECT, count - 1, reinterpret_cast<LPARAM>(&last));
    moveTo({(last.left + last.right) / 2, (last.top + last.bottom) / 2});
    EXPECT_NE(status(), "");
    moveTo({last.right + 40, (last.top + last.bottom) / 2});
    EXPECT_EQ(status(), "");
    moveTo({(last.left + last.right) / 2, (last.top + last.bottom) / 2});
    EXPECT_NE(status(), "");
    SendMessageA(toolbar, WM_TIMER, kToolbarLeaveTimer, 0);
    EXPECT_EQ(status(), "");
}

TEST_F(MainFrameTest, MenuCommandsStartProgramsAndHelpThroughTheShell) {
    Create();
    registry.SetConfigurationValue("Power", "C:\\Merovant\\corvessa.exe");
    Command(ID_POWER_SETTINGS);
    Command(ID_DISPLAY_PROPERTIES);
    EXPECT_EQ(shell.started, (std::vector<std::string>{"C:\\Merovant\\corvessa.exe",
                                                       "rundll32.exe shell32.dll,Control_RunDLL desk.cpl,,3"}));
    Command(ID_HELP_MAIN_WINDOW);
    ASSERT_EQ(shell.help.size(), 1u);
    EXPECT_EQ(shell.help[0].owner, frame->hwnd());
    EXPECT_EQ(shell.help[0].command, static_cast<UINT>(HELP_CONTEXT));
    EXPECT_EQ(shell.help[0].context, 0x20080u);
    EXPECT_EQ(shell.help[0].file, helpFile.path());
    EXPECT_TRUE(shell.messages.empty());
}

TEST_F(MainFrameTest, SettingsSaysSoWhenPowerStartsNothing) {
    const std::string message =
        "Power Management cannot be started: its program is not installed or cannot be found. Please install "
        "Merovant Configuration again.";
    struct Case {
        const char* power;  // nullptr: no value
        bool startSucceeds;
        std::vector<std::string> started;
    };
    const std::string tooLong(300, 'x');  // does not fit the value's buffer: unreadable
    const Case cases[] = {
        {nullptr, true, {}},
        {"", true, {}},
        {tooLong.c_str(), true, {}},
        {"C:\\Merovant\\gone.exe", false, {"C:\\Merovant\\gone.exe"}},
    };
    Create();
    for (const Case& c : cases) {
        if (c.power != nullptr)
            registry.SetConfigurationValue("Power", c.power);
        else
            registry.RemoveConfigurationValue("Power");
        shell.startSucceeds = c.startSucceeds;
        shell.started.clear();
        shell.messages.clear();
        Command(ID_POWER_SETTINGS);
        EXPECT_EQ(shell.started, c.started) << (c.power ? c.power : "(none)");
        EXPECT_EQ(shell.messages, std::vector<std::string>{message}) << (c.power ? c.power : "(none)");
    }
}

TEST_F(MainFrameTest, F1OnADeviceButtonShowsItsPopupAndElsewhereTheContents) {
    Create();
    HWND view = frame->view().hwnd();
    struct Case {
        HWND item;
        UINT command;
        DWORD context;
    };
    const Case cases[] = {
        {GetDlgItem(view, IDC_VIEW_GLIDENUB), HELP_CONTEXTPOPUP, 0x50000 + IDC_VIEW_GLIDENUB},
        {GetDlgItem(view, IDC_VIEW_INFRARED), HELP_CONTEXTPOPUP, 0x50000 + IDC_VIEW_INFRARED},
        {GetDlgItem(view, IDC_VIEW_FRONT), HELP_CONTEXT, 0x20080},  // a switch button has no topic
        {view, HELP_CONTEXT, 0x20080},
        {frame->hwnd(), HELP_CONTEXT, 0x20080},
    };
    for (const Case& c : cases) {
        ASSERT_NE(c.item, nullptr);
        shell.help.clear();
        // As the system reports F1: WM_HELP to the window with the focus,
        // passed up from child to parent.
        HELPINFO info{sizeof info, HELPINFO_WINDOW, GetDlgCtrlID(c.item), c.item, 0, {}};
        SendMessageA(c.item, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
        ASSERT_EQ(shell.help.size(), 1u) << c.context;
        EXPECT_EQ(shell.help[0].command, c.command) << c.context;
        EXPECT_EQ(shell.help[0].context, c.context);
        EXPECT_EQ(shell.help[0].file, helpFile.path());
    }
}

TEST_F(MainFrameTest, HelpSaysWhyWhenItsFileIsMissingOrTheReaderRefuses) {
    Create();
    shell.helpAnswer = false;
    Command(ID_HELP_MAIN_WINDOW);
    EXPECT_EQ(shell.help.size(), 1u);
    EXPECT_EQ(shell.messages,
              std::vector<std::string>{"Windows Help could not be started. Close some programs and try again."});

    DeleteFileA(helpFile.path().c_str());
    shell.help.clear();
    shell.messages.clear();
    Command(ID_HELP_MAIN_WINDOW);
    EXPECT_TRUE(shell.help.empty()) << "the reader is not asked for a file that is not there";
    EXPECT_EQ(shell.messages, std::vector<std::string>{"Cannot find the help file " + helpFile.path() +
                                                       ". Run the Merovant setup again to restore the help."});
}

}  // namespace
