// The shipping sorvault on the 32-bit Wine. The shipping image carries no
// disk-image binding (its file streams import C run-time functions that
// Windows 4.0 lacks), so it never sees the virtual notebook's disk image: it
// asks Windows NT's first hard disk (\\.\PhysicalDrive0 and the
// \Device\Harddisk0 partitions), which Wine does not have. What it reaches is
// its start on a machine whose first disk it cannot read: no save-to-disk
// partition, the file dialog with no drive to offer, nothing to create, and a
// clean end.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "resources/sorvault/resource.h"
#include "tests/shipping/shipping_tree.h"
#include "tests/support/program_run.h"
#include "tests/support/wait_for.h"
#include "tests/support/window_text.h"

namespace {

TEST(ShippingSorvault, WithoutAReadableFirstDiskShowsTheFileDialogWithNothingToCreate) {
    StartedProgram sorvault = StartProgram(QuotedShippingImage("sorvault.exe"));
    ASSERT_TRUE(sorvault);
    HWND dialog = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (dialog = VisibleWindow("#32770", "Enable/Disable Hibernation")) != nullptr; },
                        kStartMs));
    EXPECT_EQ(VisibleWindow("#32770", "Hibernation Partition"), nullptr);
    EXPECT_EQ(SendDlgItemMessageA(dialog, IDC_DRIVE, CB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(ItemText(dialog, IDC_CREATE_DELETE), "Create Now");
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_CREATE_DELETE)));
    EXPECT_EQ(ItemText(dialog, IDC_FILE_SIZE), "0");

    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    DWORD code = 99;
    EXPECT_TRUE(Ended(sorvault, 30000, &code)) << "Close ends it, with no restart to ask for";
    EXPECT_EQ(code, 0u);
    EndWithin(sorvault, 0);
}

}  // namespace
