// The shipping fuel gauge on the 32-bit Wine, in a Wine desktop with a
// taskbar: the machine's battery in its window and its icon in the tray.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "resources/fuel/resource.h"
#include "tests/shipping/shipping_tree.h"
#include "tests/support/program_run.h"
#include "tests/support/tray_icon.h"
#include "tests/support/virtual_notebook_test.h"
#include "tests/support/wait_for.h"
#include "tests/support/window_text.h"

namespace {

constexpr UINT kFuelIconId = 128;

class ShippingFuel : public VirtualNotebookTest {
protected:
    void TearDown() override {
        EndWithin(desktop, 10000);
        VirtualNotebookTest::TearDown();
    }
    StartedProgram desktop;
};

TEST_F(ShippingFuel, GaugeShowsTheBatteryInTheTray) {
    constexpr char kDesktop[] = "ShippingFuel";
    SetMachine([](MachineState& s) {
        s.externalPower = 0;
        s.batteryPercent = 37;
        s.batteryFlags = 0;
        s.batteryHeld = 1;
    });
    // fuel in a Wine desktop of its own, with a taskbar and its tray; this
    // thread then works on that desktop, where the gauge's windows are.
    desktop = StartProgram(std::string("explorer.exe /desktop=") + kDesktop + ",640x480 " +
                           QuotedShippingImage("fuel.exe"));
    ASSERT_TRUE(desktop);
    HDESK desk = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (desk = OpenDesktopA(kDesktop, 0, FALSE, GENERIC_ALL)) != nullptr; }, kStartMs));
    ASSERT_TRUE(SetThreadDesktop(desk)) << GetLastError();
    HWND gauge = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (gauge = FindWindowA("#32770", "Fuel")) != nullptr; }, kStartMs));
    EXPECT_TRUE(WaitFor([&] { return ItemText(gauge, IDC_FUEL_PERCENT) == "37%"; }, 15000));
    // The shell takes a change of the icon's tip only for an icon it holds.
    EXPECT_TRUE(WaitFor([&] { return ShellHoldsIcon(gauge, kFuelIconId, "37%"); }, 15000))
        << "the gauge's icon is in the tray";

    PostMessageA(gauge, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(gauge); }, 15000));
}

}  // namespace
