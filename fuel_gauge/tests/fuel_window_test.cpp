// The gauge window over the machine model: its timers driven with WM_TIMER,
// its tray callback, menu and system commands, and double-clicks on the
// power-mode icon. What the window shows is read from its controls, what the
// tray shows from the notification area of the tests' Wine desktop.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include "common/win32/configuration_key.h"
#include "fuel_gauge/app/fuel_app.h"
#include "fuel_gauge/core/fuel_status.h"
#include "machine_control/core/smi_request.h"
#include "fuel_gauge/tests/fuel_test_fixture.h"
#include "tests/support/help_files.h"
#include "tests/support/test_log.h"
#include "resources/fuel/resource.h"

namespace {

using Gauge = GaugeOverModel;
using Tips = std::vector<std::string>;

POINT ClientPoint(HWND gauge, LONG x, LONG y) {
    POINT point{x, y};
    ScreenToClient(gauge, &point);
    return point;
}

void DoubleClick(HWND gauge, POINT client) {
    PostMessageA(gauge, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(client.x, client.y));
    PumpMessages();
}

std::string ReadTrayValue() {
    char value[kConfigurationValueSize] = {};
    ReadConfigurationValue(kFuelTrayValue, value);
    return value;
}

TEST_F(Gauge, OpensEmptyAndTheFirstTickFillsWindowAndTray) {
    model->state.externalPower = 0;
    model->state.batteryPercent = 37;
    model->state.powerMode[2] = 1;
    RunGauge([&](HWND gauge) {
        EXPECT_EQ(WindowText(gauge), "Fuel");
        EXPECT_EQ(TrayTips(), Tips{"Fuel Gauge Application"});
        EXPECT_TRUE(TrayShows(IDI_FUEL_PROGRAM));
        EXPECT_EQ(SendDlgItemMessageA(gauge, IDC_FUEL_BATTERY, STM_GETIMAGE, IMAGE_BITMAP, 0), 0);
        RECT suspend, hibernate;
        GetWindowRect(GetDlgItem(gauge, IDC_FUEL_SUSPEND), &suspend);
        GetWindowRect(GetDlgItem(gauge, IDC_FUEL_HIBERNATE), &hibernate);
        for (const RECT& button : {suspend, hibernate}) {
            EXPECT_EQ(button.right - button.left, 27) << "sized to its face";
            EXPECT_EQ(button.bottom - button.top, 27);
        }
        // Apart by the same pixels whatever the dialog font makes of the
        // template's units (they touched in Japanese).
        EXPECT_EQ(hibernate.left - suspend.right, kFuelButtonGap);
        EXPECT_EQ(hibernate.top, suspend.top);

        HMENU system = GetSystemMenu(gauge, FALSE);
        EXPECT_EQ(MenuText(system, IDM_FUEL_SYS_ABOUT), "&About...");
        EXPECT_EQ(MenuText(system, IDM_FUEL_SYS_HELP), "&Help...");

        Tick(gauge, 1);
        EXPECT_EQ(ItemText(gauge, IDC_FUEL_PERCENT), "37%");
        EXPECT_TRUE(ShowsBattery(gauge, IDB_FUEL_LEVEL4));
        EXPECT_TRUE(ShowsModeIcon(gauge, IDI_FUEL_BATTERY_LIFE));
        EXPECT_EQ(TrayTips(), Tips{"Fuel Maximum Battery Life Battery ( 37% )"});
        EXPECT_TRUE(TrayShows(IDI_FUEL_TRAY_LEVEL2));
    });
}

TEST_F(Gauge, UnknownChargeAloneChangesThePictureButLeavesTheTooltip) {
    model->state.externalPower = 1;
    model->state.batteryPercent = 100;
    model->state.powerMode[1] = 2;
    RunGauge([&](HWND gauge) {
        Tick(gauge, 1);
        EXPECT_EQ(TrayTips(), Tips{"Fuel Customized AC  ( 100% )"});
        model->state.batteryFlags = 0x10;
        Tick(gauge, 1);
        Tick(gauge, 2);
        EXPECT_TRUE(ShowsBattery(gauge, IDB_FUEL_UNKNOWN));
        EXPECT_EQ(ItemText(gauge, IDC_FUEL_PERCENT), " ");
        EXPECT_EQ(TrayTips(), Tips{"Fuel Customized AC  ( 100% )"}) << "the tray is left as it was";
        // A change of percent then brings the unknown charge into the tooltip.
        model->state.batteryPercent = 99;
        Tick(gauge, 1);
        EXPECT_EQ(TrayTips(), Tips{"Fuel Customized AC  ( Unknown remaining )"});
    });
}

TEST_F(Gauge, PluggingInIsSeenAtTheNextTwoSecondTick) {
    model->state.externalPower = 0;
    model->state.batteryPercent = 64;
    model->state.powerMode[1] = 0;
    model->state.powerMode[2] = 1;
    RunGauge([&](HWND gauge) {
        Tick(gauge, 1);
        EXPECT_TRUE(ShowsBattery(gauge, IDB_FUEL_LEVEL7));
        EXPECT_TRUE(TrayShows(IDI_FUEL_TRAY_LEVEL3));
        model->state.externalPower = 1;
        Tick(gauge, 1);
        EXPECT_TRUE(ShowsBattery(gauge, IDB_FUEL_CHARGING7)) << "the window is refreshed at once";
        EXPECT_TRUE(ShowsModeIcon(gauge, IDI_FUEL_AC_PERFORMANCE));
        EXPECT_TRUE(TrayShows(IDI_FUEL_PROGRAM));
        EXPECT_EQ(TrayTips(), Tips{"Fuel Maximum Performance AC ( 64% )"});
    });
}

TEST_F(Gauge, NonZeroSystemModeHidesTheControlsAndKeepsTheFirstTray) {
    model->state.systemMode = 1;
    model->state.externalPower = 0;
    model->state.batteryPercent = 20;
    RunGauge([&](HWND gauge) {
        for (int id : {IDC_FUEL_SUSPEND, IDC_FUEL_HIBERNATE, IDC_FUEL_MODE})
            EXPECT_FALSE(IsWindowVisible(GetDlgItem(gauge, id))) << id;
        Tick(gauge, 1);
        Tick(gauge, 2);
        EXPECT_EQ(ItemText(gauge, IDC_FUEL_PERCENT), "20%");
        EXPECT_EQ(TrayTips(), Tips{"Fuel Gauge Application"});
        EXPECT_TRUE(TrayShows(IDI_FUEL_PROGRAM));
        // The hidden icon switches nothing.
        RECT icon;
        GetWindowRect(GetDlgItem(gauge, IDC_FUEL_MODE), &icon);
        DoubleClick(gauge, ClientPoint(gauge, (icon.left + icon.right) / 2, (icon.top + icon.bottom) / 2));
    });
    EXPECT_TRUE(PowerModeSwitches().empty());
    EXPECT_EQ(CountRequests(*model, 0x9611, 0x0016, 0, 1) + CountRequests(*model, 0x9611, 0x0016, 0, 2), 0)
        << "the power mode is never read";
}

TEST_F(Gauge, DoubleClicksStrictlyInsideThePowerModeIconCycleTheMode) {
    model->state.externalPower = 1;
    model->state.batteryPercent = 100;
    model->state.powerMode[1] = 0;
    RunGauge([&](HWND gauge) {
        Tick(gauge, 1);
        ASSERT_TRUE(ShowsModeIcon(gauge, IDI_FUEL_AC_PERFORMANCE));
        RECT icon;
        ASSERT_TRUE(GetWindowRect(GetDlgItem(gauge, IDC_FUEL_MODE), &icon));
        const LONG midX = (icon.left + icon.right) / 2, midY = (icon.top + icon.bottom) / 2;

        // On the edge or outside: nothing.
        const POINT misses[] = {{icon.left, midY},  {icon.right, midY},    {midX, icon.top},
                                {midX, icon.bottom}, {icon.left - 5, midY}, {icon.left, icon.top}};
        for (const POINT& p : misses) DoubleClick(gauge, ClientPoint(gauge, p.x, p.y));
        EXPECT_TRUE(PowerModeSwitches().empty());
        EXPECT_TRUE(ShowsModeIcon(gauge, IDI_FUEL_AC_PERFORMANCE));

        const char* tips[] = {"Fuel Maximum Battery Life AC ( 100% )", "Fuel Customized AC  ( 100% )",
                              "Fuel Maximum Performance AC ( 100% )"};
        const int icons[] = {IDI_FUEL_AC_LIFE, IDI_FUEL_AC_CUSTOMIZED, IDI_FUEL_AC_PERFORMANCE};
        for (int i = 0; i < 3; ++i) {
            // Just inside the corner, then the middle: both count.
            DoubleClick(gauge, ClientPoint(gauge, i == 0 ? icon.left + 1 : midX, i == 0 ? icon.top + 1 : midY));
            EXPECT_TRUE(ShowsModeIcon(gauge, icons[i])) << i;
            EXPECT_EQ(TrayTips(), Tips{tips[i]});
        }
        EXPECT_TRUE(TrayShows(IDI_FUEL_PROGRAM));
    });
    const std::vector<std::pair<int, int>> expected = {{1, 1}, {1, 2}, {1, 0}};
    EXPECT_EQ(PowerModeSwitches(), expected);
}

TEST_F(Gauge, SwitchOnBatteryShowsTheBatteryIconAndTheNextTickKeepsAFailedSwitchShown) {
    model->state.externalPower = 0;
    model->state.batteryPercent = 55;
    model->state.powerMode[2] = 2;
    RunGauge([&](HWND gauge) {
        Tick(gauge, 1);
        ASSERT_TRUE(ShowsModeIcon(gauge, IDI_FUEL_BATTERY_CUSTOMIZED));
        RECT icon;
        GetWindowRect(GetDlgItem(gauge, IDC_FUEL_MODE), &icon);
        transport.failing.emplace_back(0x9611, 0x0116);
        DoubleClick(gauge, ClientPoint(gauge, (icon.left + icon.right) / 2, (icon.top + icon.bottom) / 2));
        EXPECT_TRUE(ShowsModeIcon(gauge, IDI_FUEL_BATTERY_PERFORMANCE));
        EXPECT_EQ(TrayTips(), Tips{"Fuel Maximum Performance Battery ( 55% )"});
        EXPECT_TRUE(TrayShows(IDI_FUEL_TRAY_LEVEL3));
        Tick(gauge, 1);
        EXPECT_TRUE(ShowsModeIcon(gauge, IDI_FUEL_BATTERY_PERFORMANCE))
            << "source, mode and percent are as before: nothing is redrawn";
        EXPECT_EQ(TrayTips(), Tips{"Fuel Maximum Performance Battery ( 55% )"});
    });
    EXPECT_EQ(model->state.powerMode[2], 2);
}

TEST_F(Gauge, SuspendAndHibernateAskFirstAndOnlyOkSendsThePowerState) {
    struct Case {
        int button;
        int answer;
        const char* message;
        std::uint32_t request;
    };
    const Case cases[] = {
        {IDC_FUEL_SUSPEND, IDOK, "Information: The system will enter the suspend mode.", 0x0113},
        {IDC_FUEL_HIBERNATE, IDOK, "Information: The system will enter the hibernation mode.", 0x0213},
        {IDC_FUEL_SUSPEND, IDCANCEL, "Information: The system will enter the suspend mode.", 0},
        {IDC_FUEL_HIBERNATE, IDCANCEL, "Information: The system will enter the hibernation mode.", 0},
    };
    for (const Case& c : cases) {
        model->ClearLog();
        shell.messages.clear();
        shell.answer = c.answer;
        RunGauge([&](HWND gauge) {
            SendMessageA(GetDlgItem(gauge, c.button), BM_CLICK, 0, 0);
        });
        ASSERT_EQ(shell.messages.size(), 1u);
        EXPECT_EQ(shell.messages[0], c.message);
        EXPECT_EQ(shell.types.back(), static_cast<UINT>(MB_OKCANCEL | MB_ICONINFORMATION));
        const int sent = CountRequests(*model, 0x9611, 0x0113) + CountRequests(*model, 0x9611, 0x0213);
        EXPECT_EQ(sent, c.request != 0 ? 1 : 0) << c.message << " answered " << c.answer;
        if (c.request != 0) {
            EXPECT_EQ(CountRequests(*model, 0x9611, c.request), 1);
        }
    }
}

TEST_F(Gauge, MinimizeHidesTheWindowAndTheTrayBringsItBack) {
    RunGauge([&](HWND gauge) {
        ASSERT_TRUE(IsWindowVisible(gauge));
        SendMessageA(gauge, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        EXPECT_FALSE(IsWindowVisible(gauge)) << "off the screen and the taskbar";
        SendMessageA(gauge, kFuelTrayMessage, kFuelTrayIconId, WM_LBUTTONDBLCLK);
        EXPECT_TRUE(IsWindowVisible(gauge));
        EXPECT_FALSE(IsIconic(gauge));

        SendMessageA(gauge, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        SendMessageA(gauge, WM_COMMAND, ID_FUEL_RESTORE, 0);
        EXPECT_TRUE(IsWindowVisible(gauge));
        EXPECT_FALSE(IsIconic(gauge));
    });
}

TEST_F(Gauge, RightButtonOnTheTrayIconShowsTheMenuWithItsTexts) {
    RunGauge([&](HWND gauge) {
        std::vector<std::string> items;
        WhenModal([&] {
            // The menu's own modal loop runs this.
            HMENU menu = OpenShortcutMenu();
            ASSERT_NE(menu, nullptr);
            for (int i = 0; i < GetMenuItemCount(menu); ++i)
                items.push_back(std::to_string(GetMenuItemID(menu, i)) + " " + MenuText(menu, i, MF_BYPOSITION));
            EndMenu();
        });
        SendMessageA(gauge, kFuelTrayMessage, kFuelTrayIconId, WM_RBUTTONDOWN);
        const std::vector<std::string> expected = {"57664 About...", "32778 Help...", "0 ", "32779 Close",
                                                   "32780 Restore"};
        EXPECT_EQ(items, expected);
    });
}

TEST_F(Gauge, TheIconComesBackWhenTheShellRestarts) {
    model->state.externalPower = 0;
    model->state.batteryPercent = 37;
    model->state.powerMode[2] = 1;
    RunGauge([&](HWND gauge) {
        Tick(gauge, 1);
        ASSERT_EQ(TrayTips(), Tips{"Fuel Maximum Battery Life Battery ( 37% )"});
        NOTIFYICONDATAA data{};
        data.cbSize = NOTIFYICONDATAA_V1_SIZE;
        data.hWnd = gauge;
        data.uID = kFuelTrayIconId;
        ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &data));  // what a shell restart loses
        ASSERT_TRUE(TrayTips().empty());
        SendMessageA(gauge, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
        EXPECT_EQ(TrayTips(), Tips{"Fuel Maximum Battery Life Battery ( 37% )"}) << "with its last tip";
        EXPECT_TRUE(TrayShows(IDI_FUEL_TRAY_LEVEL2)) << "and its last picture";
    });
}

TEST_F(Gauge, HelpOpensTheFileOfFuelHelpAndClosesWithTheWindow) {
    HelpFileInPlace helpFile(PathBesideProgram("fuel-help.hlp"));
    registry.SetConfigurationValue("FuelHelp", helpFile.path().c_str());
    RunGauge([&](HWND gauge) {
        SendMessageA(gauge, WM_SYSCOMMAND, IDM_FUEL_SYS_HELP, 0);
        SendMessageA(gauge, WM_COMMAND, ID_FUEL_HELP, 0);
    });
    EXPECT_EQ(shell.help, std::vector<std::string>(2, helpFile.path()));
    EXPECT_TRUE(shell.messages.empty());
    EXPECT_EQ(shell.helpClosed, 1);
}

TEST_F(Gauge, HelpSaysWhyWhenFuelHelpNamesNoFileThatIsThereOrTheReaderRefuses) {
    const std::string setUp = "No help file is set up for this program. Run the Merovant setup again to restore the help.";
    const std::string absent = PathBesideProgram("absent.hlp");
    HelpFileInPlace helpFile(PathBesideProgram("fuel-help.hlp"));
    struct Case {
        const char* value;  // nullptr: no FuelHelp
        bool readerTakes;
        std::string message;
    };
    const Case cases[] = {
        {nullptr, true, setUp},
        {"", true, setUp},
        {absent.c_str(), true, "Cannot find the help file " + absent + ". Run the Merovant setup again to restore the help."},
        {helpFile.path().c_str(), false, "Windows Help could not be started. Close some programs and try again."},
    };
    for (const Case& c : cases) {
        if (c.value != nullptr) registry.SetConfigurationValue("FuelHelp", c.value);
        shell.helpAnswer = c.readerTakes;
        shell.messages.clear();
        shell.types.clear();
        RunGauge([&](HWND gauge) { SendMessageA(gauge, WM_COMMAND, ID_FUEL_HELP, 0); });
        EXPECT_EQ(shell.messages, std::vector<std::string>{"Fuel Gauge Application: " + c.message})
            << (c.value ? c.value : "no FuelHelp");
        EXPECT_EQ(shell.types, std::vector<UINT>{MB_OK});
    }
    EXPECT_EQ(shell.help, std::vector<std::string>{helpFile.path()}) << "only a file that is there reaches the reader";
    EXPECT_EQ(shell.helpClosed, 0) << "no help opened, none to close";
}

TEST_F(Gauge, AboutBoxFromTheSystemMenuAndTheTrayMenu) {
    for (bool fromTray : {false, true}) {
        RunGauge([&](HWND gauge) {
            bool seen = false;
            WhenModal([&] {
                HWND about = FindWindowA("#32770", "About");
                ASSERT_NE(about, nullptr);
                seen = true;
                EXPECT_EQ(GetWindow(about, GW_OWNER), gauge);
                EXPECT_EQ(ItemText(about, IDC_ABOUT_APPLICATION), "Fuel Gauge Application");
                EXPECT_EQ(ItemText(about, IDC_ABOUT_VERSION), "V1.02");
                EXPECT_FALSE(ItemText(about, IDC_ABOUT_PRODUCT).empty());
                EXPECT_EQ(ItemText(about, IDOK), "OK");
                EXPECT_NE(SendDlgItemMessageA(about, IDC_ABOUT_ICON, STM_GETICON, 0, 0), 0);
                PostMessageA(about, WM_COMMAND, IDOK, 0);
            });
            if (fromTray) SendMessageA(gauge, WM_COMMAND, ID_FUEL_ABOUT, 0);
            else SendMessageA(gauge, WM_SYSCOMMAND, IDM_FUEL_SYS_ABOUT, 0);
            EXPECT_TRUE(seen);
        });
    }
}

TEST_F(Gauge, CloseFromTheTrayMenuRemovesTheIconAndRecordsTheEnd) {
    registry.SetConfigurationValue("FuelPath", "fuel.exe");
    Tips tipsWhileRunning;
    WhenModal([&] {
        HWND gauge = FindWindowA(kDialogClass, "Fuel");
        ASSERT_NE(gauge, nullptr);
        EXPECT_EQ(ReadTrayValue(), "1");
        tipsWhileRunning = TrayTips();
        SendMessageA(gauge, WM_COMMAND, ID_FUEL_CLOSE, 0);
    });
    EXPECT_EQ(RunFuel(instance, shell), 0);
    EXPECT_EQ(tipsWhileRunning, Tips{"Fuel Gauge Application"}) << "the shell took the icon";
    EXPECT_EQ(FindWindowA(kDialogClass, "Fuel"), nullptr);
    EXPECT_TRUE(TrayTips().empty()) << "the icon goes with the window";
    EXPECT_EQ(ReadTrayValue(), "0");
}

TEST_F(Gauge, SecondStartTogglesTheFirstWindowAndEnds) {
    registry.SetConfigurationValue("FuelPath", "fuel.exe");
    WhenModal([&] {
        HWND gauge = FindWindowA(kDialogClass, "Fuel");
        ASSERT_NE(gauge, nullptr);
        ASSERT_TRUE(IsWindowVisible(gauge));
        EXPECT_EQ(ReadTrayValue(), "1");
        EXPECT_EQ(RunFuel(instance, shell), 0);
        EXPECT_FALSE(IsWindowVisible(gauge)) << "a shown gauge is hidden";
        EXPECT_EQ(ReadTrayValue(), "1") << "the running gauge's value stays";
        EXPECT_EQ(RunFuel(instance, shell), 0);
        EXPECT_TRUE(IsWindowVisible(gauge)) << "a hidden gauge is shown";
        EXPECT_EQ(ReadTrayValue(), "1");
        EXPECT_EQ(FindWindowA(kDialogClass, "Fuel"), gauge) << "still one gauge";
        PostMessageA(gauge, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(RunFuel(instance, shell), 0);
    EXPECT_EQ(ReadTrayValue(), "0");
}

TEST_F(Gauge, StartUpTellsTheBiosOnceAndReadsTheSystemModeOnce) {
    registry.SetConfigurationValue("FuelPath", "fuel.exe");
    WhenModal([&] {
        HWND gauge = FindWindowA(kDialogClass, "Fuel");
        ASSERT_NE(gauge, nullptr);
        for (int i = 0; i < 3; ++i) {
            Tick(gauge, kFuelFastTimer);
            Tick(gauge, kFuelSlowTimer);
        }
        PostMessageA(gauge, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(RunFuel(instance, shell), 0);
    int supportRequests = 0;
    for (const SmiRequest& r : LoggedRequests(*model))
        supportRequests += r.Eax == kSmiFunctionPower && (r.Ebx & 0xFF) == 0x11;
    EXPECT_EQ(supportRequests, 1) << "SetBIOSforPwrMgrSupport once";
    EXPECT_EQ(CountRequests(*model, kSmiFunctionPower, 0x0111), 1) << "with 1";
    EXPECT_EQ(CountRequests(*model, kSmiFunctionPower, 0x0000), 1) << "GetCurSystemMode once, not per tick";
}

TEST_F(Gauge, EnterLeavesTheGaugeRunningAndEscapeEndsIt) {
    registry.SetConfigurationValue("FuelPath", "fuel.exe");
    bool openAfterEnter = false;
    WhenModal([&] {
        HWND gauge = FindWindowA(kDialogClass, "Fuel");
        ASSERT_NE(gauge, nullptr);
        // On the focused owner-drawn button, which is no default button: the
        // dialog manager turns Enter into IDOK.
        HWND button = GetDlgItem(gauge, IDC_FUEL_SUSPEND);
        SetFocus(button);
        PostMessageA(button, WM_KEYDOWN, VK_RETURN, 0);
        PostMessageA(gauge, WM_KEYDOWN, VK_RETURN, 0);
        WhenModal([&openAfterEnter, gauge, button] {
            openAfterEnter = FindWindowA(kDialogClass, "Fuel") == gauge && IsWindowVisible(gauge);
            if (openAfterEnter) PostMessageA(button, WM_KEYDOWN, VK_ESCAPE, 0);
        });
    });
    EXPECT_EQ(RunFuel(instance, shell), 0);
    // Whatever a gauge that ended early left pending runs now.
    Sleep(100);
    PumpMessages();
    EXPECT_TRUE(openAfterEnter) << "Enter ended the gauge";
    EXPECT_TRUE(shell.messages.empty()) << "Enter pressed no button";
    EXPECT_EQ(FindWindowA(kDialogClass, "Fuel"), nullptr) << "Escape ends it";
    EXPECT_EQ(ReadTrayValue(), "0");
}

TEST_F(Gauge, WithoutTheSharedKeyNothingIsShown) {
    // HKEY_LOCAL_MACHINE is a scratch key without the suite's key, which the
    // gauge opens but does not create.
    bool opened = false;
    WhenModal([&] {
        opened = FindWindowA(kDialogClass, "Fuel") != nullptr;
        if (HWND gauge = FindWindowA(kDialogClass, "Fuel")) PostMessageA(gauge, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(RunFuel(instance, shell), 0);
    Sleep(100);
    PumpMessages();
    EXPECT_FALSE(opened);
    EXPECT_EQ(ReadTrayValue(), "") << "nothing written";
}

}  // namespace
