// End to end under Wine: the real fuel.exe on the virtual notebook's driver,
// in a Wine desktop of its own with a taskbar and its tray, as a user sees it.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "resources/fuel/resource.h"
#include "tests/support/console_program.h"
#include "tests/support/program_run.h"
#include "tests/support/registry_value.h"
#include "tests/support/virtual_notebook_test.h"
#include "tests/support/wait_for.h"
#include "tests/support/window_text.h"

namespace {

constexpr char kDesktop[] = "FuelEndToEnd";

HWND Gauge() { return FindWindowA("#32770", "Fuel"); }

class FuelEndToEnd : public VirtualNotebookTest {
protected:
    void SetUp() override {
        VirtualNotebookTest::SetUp();
        // The installation's key, which the gauge opens but does not create.
        ASSERT_TRUE(key.opened());
    }
    void TearDown() override {
        if (HWND gauge = Gauge()) PostMessageA(gauge, WM_CLOSE, 0, 0);
        for (StartedProgram* program : {&gauge_, &desktop_}) EndWithin(*program, 10000);
        VirtualNotebookTest::TearDown();
    }
    // fuel.exe in a Wine desktop with its taskbar; this thread then works on
    // that desktop, where the gauge's window is.
    void StartInDesktop() {
        desktop_ = StartProgram(std::string("explorer.exe /desktop=") + kDesktop + ",640x480 " +
                                QuotedProgramBeside("fuel.exe"));
        ASSERT_TRUE(desktop_);
        HDESK desk = nullptr;
        ASSERT_TRUE(WaitFor([&] { return (desk = OpenDesktopA(kDesktop, 0, FALSE, GENERIC_ALL)) != nullptr; },
                            20000));
        ASSERT_TRUE(SetThreadDesktop(desk)) << GetLastError();
        ASSERT_TRUE(WaitFor([] { return Gauge() != nullptr; }, 20000)) << "no window titled Fuel";
    }

    std::string TrayValue() const { return key.Get("FGTray"); }

    SavedSharedValues key;
    StartedProgram desktop_;
    StartedProgram gauge_;
};

TEST_F(FuelEndToEnd, WindowFollowsTheBatteryWithinTenSecondsAndTheEndIsRecorded) {
    SetMachine([](MachineState& s) {
        s.externalPower = 1;
        s.batteryPercent = 100;
        s.batteryFlags = 0;
    });
    StartInDesktop();
    HWND gauge = Gauge();
    ASSERT_TRUE(WaitFor([&] { return ItemText(gauge, IDC_FUEL_PERCENT) == "100%"; }, 5000));
    EXPECT_EQ(TrayValue(), "1");

    SetMachine([](MachineState& s) {
        s.batteryPercent = 37;
        s.externalPower = 0;
    });
    const DWORD unplugged = GetTickCount();
    EXPECT_TRUE(WaitFor([&] { return ItemText(gauge, IDC_FUEL_PERCENT) == "37%"; }, 10000));
    EXPECT_LT(GetTickCount() - unplugged, 10000u);

    PostMessageA(gauge, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitFor([] { return Gauge() == nullptr; }, 10000));
    EXPECT_TRUE(WaitFor([&] { return TrayValue() == "0"; }, 10000));
}

TEST_F(FuelEndToEnd, HibernateWithOkAsksTheMachineToHibernate) {
    MachineState before;
    ASSERT_TRUE(control.GetState(before));
    StartInDesktop();
    HWND gauge = Gauge();
    PostMessageA(gauge, WM_COMMAND, MAKEWPARAM(IDC_FUEL_HIBERNATE, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(gauge, IDC_FUEL_HIBERNATE)));
    HWND box = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (box = FindWindowA("#32770", "Information")) != nullptr; }, 10000));
    MachineState asking;
    ASSERT_TRUE(control.GetState(asking));
    EXPECT_EQ(asking.sysPowerRequests, before.sysPowerRequests) << "nothing before the answer";

    PostMessageA(box, WM_COMMAND, IDOK, 0);
    MachineState after;
    ASSERT_TRUE(WaitFor(
        [&] { return control.GetState(after) && after.sysPowerRequests == before.sysPowerRequests + 1; }, 10000));
    EXPECT_EQ(after.sysPowerState, 2) << "hibernation";
}

TEST_F(FuelEndToEnd, SecondStartTogglesTheFirstWindowAndEnds) {
    StartInDesktop();
    HWND gauge = Gauge();
    ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(gauge) != 0; }, 5000));
    EXPECT_EQ(TrayValue(), "1");
    for (bool visibleAfter : {false, true}) {
        const StartedProgram second = StartProgram(QuotedProgramBeside("fuel.exe"), kDesktop);
        ASSERT_TRUE(second);
        ASSERT_TRUE(Ended(second, 20000)) << "the second start ends";
        EXPECT_EQ(IsWindowVisible(gauge) != 0, visibleAfter);
        EXPECT_EQ(Gauge(), gauge) << "still the first window";
        EXPECT_EQ(TrayValue(), "1") << "the running gauge's value stays";
    }
}

TEST_F(FuelEndToEnd, EnterLeavesTheGaugeRunningAndEscapeEndsIt) {
    StartInDesktop();
    HWND gauge = Gauge();
    ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(gauge) != 0; }, 5000));
    // On the owner-drawn buttons and on the window itself.
    for (HWND target : {GetDlgItem(gauge, IDC_FUEL_SUSPEND), GetDlgItem(gauge, IDC_FUEL_HIBERNATE), gauge})
        PostMessageA(target, WM_KEYDOWN, VK_RETURN, 0);
    Sleep(2000);
    EXPECT_EQ(Gauge(), gauge) << "Enter leaves the gauge running";
    EXPECT_EQ(FindWindowA("#32770", "Information"), nullptr) << "and presses no button";
    EXPECT_EQ(TrayValue(), "1");

    PostMessageA(gauge, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(WaitFor([] { return Gauge() == nullptr; }, 10000)) << "Escape ends it";
    EXPECT_TRUE(WaitFor([&] { return TrayValue() == "0"; }, 10000));
}

}  // namespace
