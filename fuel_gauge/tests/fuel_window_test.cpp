// The gauge window over the machine model: its timers driven with WM_TIMER,
// its tray callback, menu and system commands, and double-clicks on the
// power-mode icon.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include "common/win32/configuration_key.h"
#include "fuel_gauge/app/fuel_app.h"
#include "fuel_gauge/tests/fuel_test_fixture.h"
#include "resources/fuel/resource.h"

namespace {

using Gauge = GaugeOverModel;

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
    RunGauge([&](CFuelWindow& window, HWND gauge) {
        EXPECT_EQ(WindowText(gauge), "Fuel");
        EXPECT_EQ(window.TrayTip(), "Fuel Gauge Application");
        EXPECT_EQ(window.TrayIconShown(), IDI_FUEL_PROGRAM);
        EXPECT_EQ(SendDlgItemMessageA(gauge, IDC_FUEL_BATTERY, STM_GETIMAGE, IMAGE_BITMAP, 0), 0);
        RECT button;
        GetWindowRect(GetDlgItem(gauge, IDC_FUEL_SUSPEND), &button);
        EXPECT_EQ(button.right - button.left, 27) << "sized to its face";
        EXPECT_EQ(button.bottom - button.top, 27);

        HMENU system = GetSystemMenu(gauge, FALSE);
        char text[64] = {};
        GetMenuStringA(system, IDM_FUEL_SYS_ABOUT, text, sizeof text, MF_BYCOMMAND);
        EXPECT_STREQ(text, "&About...");
        GetMenuStringA(system, IDM_FUEL_SYS_HELP, text, sizeof text, MF_BYCOMMAND);
        EXPECT_STREQ(text, "&Help...");

        Tick(gauge, 1);
        EXPECT_EQ(ItemText(gauge, IDC_FUEL_PERCENT), "37%");
        EXPECT_EQ(window.ShownPicture(), IDB_FUEL_LEVEL4);
        EXPECT_NE(SendDlgItemMessageA(gauge, IDC_FUEL_BATTERY, STM_GETIMAGE, IMAGE_BITMAP, 0), 0);
        EXPECT_EQ(window.ShownModeIcon(), IDI_FUEL_BATTERY_LIFE);
        EXPECT_NE(SendDlgItemMessageA(gauge, IDC_FUEL_MODE, STM_GETICON, 0, 0), 0);
        EXPECT_EQ(window.TrayTip(), "Fuel Maximum Battery Life Battery ( 37% )");
        EXPECT_EQ(window.TrayIconShown(), IDI_FUEL_TRAY_LEVEL2);
    });
}

TEST_F(Gauge, UnknownChargeAloneChangesThePictureButLeavesTheTooltip) {
    model->state.externalPower = 1;
    model->state.batteryPercent = 100;
    model->state.powerMode[1] = 2;
    RunGauge([&](CFuelWindow& window, HWND gauge) {
        Tick(gauge, 1);
        EXPECT_EQ(window.TrayTip(), "Fuel Customized AC  ( 100% )");
        EXPECT_EQ(window.TrayChanges(), 1);
        model->state.batteryFlags = 0x10;
        Tick(gauge, 1);
        Tick(gauge, 2);
        EXPECT_EQ(window.ShownPicture(), IDB_FUEL_UNKNOWN);
        EXPECT_EQ(ItemText(gauge, IDC_FUEL_PERCENT), " ");
        EXPECT_EQ(window.TrayTip(), "Fuel Customized AC  ( 100% )");
        EXPECT_EQ(window.TrayChanges(), 1);
        // A change of percent then brings the unknown charge into the tooltip.
        model->state.batteryPercent = 99;
        Tick(gauge, 1);
        EXPECT_EQ(window.TrayTip(), "Fuel Customized AC  ( Unknown remaining )");
    });
}

TEST_F(Gauge, PluggingInIsSeenAtTheNextTwoSecondTick) {
    model->state.externalPower = 0;
    model->state.batteryPercent = 64;
    model->state.powerMode[1] = 0;
    model->state.powerMode[2] = 1;
    RunGauge([&](CFuelWindow& window, HWND gauge) {
        Tick(gauge, 1);
        EXPECT_EQ(window.ShownPicture(), IDB_FUEL_LEVEL7);
        model->state.externalPower = 1;
        Tick(gauge, 1);
        EXPECT_EQ(window.ShownPicture(), IDB_FUEL_CHARGING7) << "the window is refreshed at once";
        EXPECT_EQ(window.ShownModeIcon(), IDI_FUEL_AC_PERFORMANCE);
        EXPECT_EQ(window.TrayIconShown(), IDI_FUEL_PROGRAM);
        EXPECT_EQ(window.TrayTip(), "Fuel Maximum Performance AC ( 64% )");
    });
}

TEST_F(Gauge, NonZeroSystemModeHidesTheControlsAndKeepsTheFirstTray) {
    model->state.systemMode = 1;
    model->state.externalPower = 0;
    model->state.batteryPercent = 20;
    RunGauge([&](CFuelWindow& window, HWND gauge) {
        for (int id : {IDC_FUEL_SUSPEND, IDC_FUEL_HIBERNATE, IDC_FUEL_MODE})
            EXPECT_FALSE(IsWindowVisible(GetDlgItem(gauge, id))) << id;
        Tick(gauge, 1);
        Tick(gauge, 2);
        EXPECT_EQ(ItemText(gauge, IDC_FUEL_PERCENT), "20%");
        EXPECT_EQ(window.TrayTip(), "Fuel Gauge Application");
        EXPECT_EQ(window.TrayIconShown(), IDI_FUEL_PROGRAM);
        EXPECT_EQ(window.TrayChanges(), 0);
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
    RunGauge([&](CFuelWindow& window, HWND gauge) {
        Tick(gauge, 1);
        ASSERT_EQ(window.ShownModeIcon(), IDI_FUEL_AC_PERFORMANCE);
        RECT icon;
        ASSERT_TRUE(GetWindowRect(GetDlgItem(gauge, IDC_FUEL_MODE), &icon));
        const LONG midX = (icon.left + icon.right) / 2, midY = (icon.top + icon.bottom) / 2;

        // On the edge or outside: nothing.
        const POINT misses[] = {{icon.left, midY},  {icon.right, midY},    {midX, icon.top},
                                {midX, icon.bottom}, {icon.left - 5, midY}, {icon.left, icon.top}};
        for (const POINT& p : misses) DoubleClick(gauge, ClientPoint(gauge, p.x, p.y));
        EXPECT_TRUE(PowerModeSwitches().empty());
        EXPECT_EQ(window.ShownModeIcon(), IDI_FUEL_AC_PERFORMANCE);

        const char* tips[] = {"Fuel Maximum Battery Life AC ( 100% )", "Fuel Customized AC  ( 100% )",
                              "Fuel Maximum Performance AC ( 100% )"};
        const int icons[] = {IDI_FUEL_AC_LIFE, IDI_FUEL_AC_CUSTOMIZED, IDI_FUEL_AC_PERFORMANCE};
        for (int i = 0; i < 3; ++i) {
            // Just inside the corner, then the middle: both count.
            DoubleClick(gauge, ClientPoint(gauge, i == 0 ? icon.left + 1 : midX, i == 0 ? icon.top + 1 : midY));
            EXPECT_EQ(window.ShownModeIcon(), icons[i]);
            EXPECT_EQ(window.TrayTip(), tips[i]);
            EXPECT_EQ(window.TrayIconShown(), IDI_FUEL_PROGRAM);
        }
        EXPECT_EQ(window.status().mode, 0) << "the stored mode waits for the next tick";
    });
    const std::vector<std::pair<int, int>> expected = {{1, 1}, {1, 2}, {1, 0}};
    EXPECT_EQ(PowerModeSwitches(), expected);
}

TEST_F(Gauge, SwitchOnBatteryShowsTheBatteryIconAndTheNextTickKeepsAFailedSwitchShown) {
    model->state.externalPower = 0;
    model->state.batteryPercent = 55;
    model->state.powerMode[2] = 2;
    RunGauge([&](CFuelWindow& window, HWND gauge) {
        Tick(gauge, 1);
        ASSERT_EQ(window.ShownModeIcon(), IDI_FUEL_BATTERY_CUSTOMIZED);
        RECT icon;
        GetWindowRect(GetDlgItem(gauge, IDC_FUEL_MODE), &icon);
        transport.failing.emplace_back(0x9611, 0x0116);
        DoubleClick(gauge, ClientPoint(gauge, (icon.left + icon.right) / 2, (icon.top + icon.bottom) / 2));
        EXPECT_EQ(window.ShownModeIcon(), IDI_FUEL_BATTERY_PERFORMANCE);
        EXPECT_EQ(window.TrayTip(), "Fuel Maximum Performance Battery ( 55% )");
        EXPECT_EQ(window.TrayIconShown(), IDI_FUEL_TRAY_LEVEL3);
        Tick(gauge, 1);
        EXPECT_EQ(window.ShownModeIcon(), IDI_FUEL_BATTERY_PERFORMANCE)
            << "source, mode and percent are as before: nothing is redrawn";
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
        RunGauge([&](CFuelWindow&, HWND gauge) {
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
    RunGauge([&](CFuelWindow&, HWND gauge) {
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
    RunGauge([&](CFuelWindow&, HWND gauge) {
        std::vector<std::string> items;
        WhenModal([&] {
            // The menu's own modal loop runs this; its window has the menu class.
            HWND popup = FindWindowA("#32768", nullptr);
            ASSERT_NE(popup, nullptr);
            HMENU menu = reinterpret_cast<HMENU>(SendMessageA(popup, MN_GETHMENU, 0, 0));
            ASSERT_NE(menu, nullptr);
            for (int i = 0; i < GetMenuItemCount(menu); ++i) {
                char text[64] = {};
                GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION);
                items.push_back(std::to_string(GetMenuItemID(menu, i)) + " " + text);
            }
            EndMenu();
        });
        SendMessageA(gauge, kFuelTrayMessage, kFuelTrayIconId, WM_RBUTTONDOWN);
        const std::vector<std::string> expected = {"57664 About...", "32778 Help...", "0 ", "32779 Close",
                                                   "32780 Restore"};
        EXPECT_EQ(items, expected);
    });
}

// Whether the shell holds the gauge's icon: a change of an icon it does not
// hold fails.
bool ShellHoldsIcon(HWND gauge) {
    NOTIFYICONDATAA data{};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = gauge;
    data.uID = kFuelTrayIconId;
    data.uFlags = NIF_TIP;
    lstrcpyA(data.szTip, "probe");
    return Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}

TEST_F(Gauge, TheIconComesBackWhenTheShellRestarts) {
    RunGauge([&](CFuelWindow&, HWND gauge) {
        ASSERT_TRUE(ShellHoldsIcon(gauge));
        NOTIFYICONDATAA data{};
        data.cbSize = NOTIFYICONDATAA_V1_SIZE;
        data.hWnd = gauge;
        data.uID = kFuelTrayIconId;
        ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &data));  // what a shell restart loses
        ASSERT_FALSE(ShellHoldsIcon(gauge));
        SendMessageA(gauge, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
        EXPECT_TRUE(ShellHoldsIcon(gauge));
    });
}

TEST_F(Gauge, HelpOpensTheFileOfFuelHelpAndClosesWithTheWindow) {
    RunGauge([&](CFuelWindow&, HWND gauge) {
        SendMessageA(gauge, WM_SYSCOMMAND, IDM_FUEL_SYS_HELP, 0);
        EXPECT_TRUE(shell.help.empty()) << "no FuelHelp, no help";
    });
    EXPECT_EQ(shell.helpClosed, 0);

    registry.SetConfigurationValue("FuelHelp", "C:\\Fuel\\fuel.hlp");
    RunGauge([&](CFuelWindow&, HWND gauge) {
        SendMessageA(gauge, WM_SYSCOMMAND, IDM_FUEL_SYS_HELP, 0);
        SendMessageA(gauge, WM_COMMAND, ID_FUEL_HELP, 0);
    });
    const std::vector<std::string> expected = {"C:\\Fuel\\fuel.hlp", "C:\\Fuel\\fuel.hlp"};
    EXPECT_EQ(shell.help, expected);
    EXPECT_EQ(shell.helpClosed, 1);
}

TEST_F(Gauge, AboutBoxFromTheSystemMenuAndTheTrayMenu) {
    for (bool fromTray : {false, true}) {
        RunGauge([&](CFuelWindow&, HWND gauge) {
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
    bool wasInTray = false;
    WhenModal([&] {
        HWND gauge = FindWindowA(kDialogClass, "Fuel");
        ASSERT_NE(gauge, nullptr);
        EXPECT_EQ(ReadTrayValue(), "1");
        SendMessageA(gauge, WM_COMMAND, ID_FUEL_CLOSE, 0);
    });
    EXPECT_EQ(RunFuel(instance, shell), 0);
    EXPECT_EQ(FindWindowA(kDialogClass, "Fuel"), nullptr);
    EXPECT_EQ(ReadTrayValue(), "0");

    RunGauge([&](CFuelWindow& window, HWND gauge) {
        wasInTray = window.InTray();
        SendMessageA(gauge, WM_COMMAND, ID_FUEL_CLOSE, 0);
    });
    EXPECT_TRUE(wasInTray) << "the shell took the icon";
}

TEST_F(Gauge, SecondStartTogglesTheFirstWindowAndEnds) {
    registry.SetConfigurationValue("FuelPath", "fuel.exe");
    WhenModal([&] {
        HWND gauge = FindWindowA(kDialogClass, "Fuel");
        ASSERT_NE(gauge, nullptr);
        ASSERT_TRUE(IsWindowVisible(gauge));
        EXPECT_EQ(RunFuel(instance, shell), 0);
        EXPECT_FALSE(IsWindowVisible(gauge)) << "a shown gauge is hidden";
        EXPECT_EQ(RunFuel(instance, shell), 0);
        EXPECT_TRUE(IsWindowVisible(gauge)) << "a hidden gauge is shown";
        EXPECT_EQ(FindWindowA(kDialogClass, "Fuel"), gauge) << "still one gauge";
        PostMessageA(gauge, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(RunFuel(instance, shell), 0);
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
