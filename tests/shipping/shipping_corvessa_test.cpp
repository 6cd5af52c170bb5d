// The shipping Corvessa on the 32-bit Wine: its sheet applies a change that
// the virtual notebook's request log shows.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "resources/corvessa/resource.h"
#include "tests/shipping/shipping_tree.h"
#include "tests/support/program_run.h"
#include "tests/support/property_sheet.h"
#include "tests/support/virtual_notebook_test.h"
#include "tests/support/wait_for.h"

namespace {

class ShippingCorvessa : public VirtualNotebookTest {
protected:
    void TearDown() override {
        EndWithin(corvessa, 10000);
        VirtualNotebookTest::TearDown();
    }
    StartedProgram corvessa;
};

TEST_F(ShippingCorvessa, SheetAppliesAChangeThatTheMachineLogShows) {
    constexpr int kPowerModePage = 2;
    constexpr int kApplyButton = 0x3021;  // comctl32's Apply button
    SetMachine([](MachineState& s) {
        s.externalPower = 1;
        s.powerMode[1] = 0;
        s.powerMode[2] = 1;
        s.cdromSpeed = 0;
    });
    corvessa = StartProgram(QuotedShippingImage("Corvessa.exe"));
    ASSERT_TRUE(corvessa);
    HWND sheet = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (sheet = VisibleWindow("#32770", "Power Management")) != nullptr; }, kStartMs));
    HWND page = ShownSheetPage(sheet, kPowerModePage, 30000);
    ASSERT_NE(page, nullptr);

    // The CD-ROM on "Silent", then Apply.
    HWND cdrom = GetDlgItem(page, IDC_CDROM_SPEED);
    SendMessageA(cdrom, CB_SETCURSEL, 2, 0);
    SendMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_CDROM_SPEED, CBN_SELCHANGE), reinterpret_cast<LPARAM>(cdrom));
    ASSERT_TRUE(control.ClearLog());
    SendMessageA(sheet, WM_COMMAND, MAKEWPARAM(kApplyButton, BN_CLICKED), 0);

    const std::string log = DecodedMachineLog();
    EXPECT_NE(log.find("SetCDROMSpeed"), std::string::npos) << log;
    MachineState state;
    ASSERT_TRUE(control.GetState(state));
    EXPECT_EQ(state.cdromSpeed, 2);

    PostMessageA(sheet, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    DWORD code = 99;
    EXPECT_TRUE(Ended(corvessa, 30000, &code));
    EXPECT_EQ(code, 0u);
}

}  // namespace
