// The shipping sorvault on the 32-bit Wine. On the virtual notebook's disk
// (the image `make run` gives it, named in the registry) it takes the
// disk-image binding, as the win64 image does, and sizes the save file from
// the notebook's memory (GlobalMemoryStatus tells a 32-bit program 2 GiB
// here): Create Now makes the file in one run that fsck.fat finds sound.
// Without a disk it can read, it offers nothing to create.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "machine_control/protocols/first_disk_protocol.h"
#include "machine_control/protocols/machine_memory_protocol.h"
#include "resources/sorvault/resource.h"
#include "tests/shipping/shipping_tree.h"
#include "tests/support/fat_root_reader.h"
#include "tests/support/host_command.h"
#include "tests/support/program_run.h"
#include "tests/support/sorvault_windows.h"
#include "tests/support/virtual_notebook_test.h"
#include "tests/support/wait_for.h"
#include "tests/support/window_text.h"

namespace {

constexpr char kFileTitle[] = "Enable/Disable Hibernation";

class ShippingSorvault : public VirtualNotebookTest {
protected:
    void TearDown() override {
        EndWithin(sorvault, 0);
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, kVirtualNotebookKey);
        if (!HasFailure()) DeleteFileA(WindowsPath(image).c_str());
        VirtualNotebookTest::TearDown();
    }

    // The disk `make run` gives the notebook, named as its first disk.
    void MakeRunDisk() {
        CreateDirectoryA(WindowsPath(kWork).c_str(), nullptr);
        std::string output;
        ASSERT_TRUE(RunHostCommand(kWork, std::string(SUITE_SOURCE "/scripts/make-disk-image ") + image, output))
            << output;
        const std::string path = WindowsPath(image);
        HKEY key;
        ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kVirtualNotebookKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                                  nullptr),
                  ERROR_SUCCESS);
        RegSetValueExA(key, kFirstDiskValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(path.c_str()),
                       DWORD(path.size() + 1));
        RegCloseKey(key);
    }

    HWND StartFileDialog() {
        sorvault = StartProgram(QuotedShippingImage("sorvault.exe"));
        HWND dialog = nullptr;
        WaitFor([&] { return (dialog = VisibleWindow("#32770", kFileTitle)) != nullptr; }, kStartMs);
        return dialog;
    }

    static constexpr char kWork[] = SHIPPING_WORK;
    const std::string image = std::string(kWork) + "/notebook-disk.img";
    StartedProgram sorvault;
};

TEST_F(ShippingSorvault, CreatesTheSaveFileOnTheNotebooksDiskSizedFromItsMemory) {
    MakeRunDisk();
    SetMachine([](MachineState& s) { s.memoryMegabytes = 2 * kDefaultMemoryMegabytes; });
    HWND dialog = StartFileDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(SendDlgItemMessageA(dialog, IDC_DRIVE, CB_GETCOUNT, 0, 0), 2) << "C: and D: of the image";

    // 64 MiB more memory, 64 MiB more file: the size is the notebook's.
    uint64_t larger = 0;
    HWND size = OpenSizeDialog(dialog, larger, kStartMs);
    ASSERT_NE(size, nullptr);
    PostMessageA(size, WM_COMMAND, MAKEWPARAM(IDC_SIZE_CANCEL, BN_CLICKED), 0);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(size); }, kStartMs));
    SetMachine([](MachineState& s) { s.memoryMegabytes = kDefaultMemoryMegabytes; });
    uint64_t minimal = 0;
    size = OpenSizeDialog(dialog, minimal, kStartMs);
    ASSERT_NE(size, nullptr);
    EXPECT_EQ(larger - minimal, uint64_t(kDefaultMemoryMegabytes) * 1024);

    PostMessageA(size, WM_COMMAND, MAKEWPARAM(IDC_SIZE_OK, BN_CLICKED), 0);
    ASSERT_TRUE(WaitFor([&] { return ItemText(dialog, IDC_CREATE_DELETE) == "Delete"; }, 3 * kStartMs));
    // Closing would restart Windows, which ends every program of the prefix.
    EndWithin(sorvault, 0);

    const RootFile file = ReadRootFile(WindowsPath(image), 0, "SAVE2DSKBIN");
    ASSERT_TRUE(file.found);
    EXPECT_EQ(file.attributes, 0x07) << "read-only, hidden, system";
    EXPECT_EQ(file.size, 2 * minimal * 512);
    EXPECT_TRUE(OneRun(file.clusters));
    std::string output;
    EXPECT_TRUE(RunHostCommand(kWork, std::string(SUITE_SOURCE "/save_to_disk/tests/check_sorvault_disk.sh ") + image,
                               output))
        << output;
}

TEST_F(ShippingSorvault, WithoutAReadableFirstDiskShowsTheFileDialogWithNothingToCreate) {
    HWND dialog = StartFileDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(VisibleWindow("#32770", "Hibernation Partition"), nullptr);
    EXPECT_EQ(SendDlgItemMessageA(dialog, IDC_DRIVE, CB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(ItemText(dialog, IDC_CREATE_DELETE), "Create Now");
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_CREATE_DELETE)));
    EXPECT_EQ(ItemText(dialog, IDC_FILE_SIZE), "0");

    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    DWORD code = 99;
    EXPECT_TRUE(Ended(sorvault, 30000, &code)) << "Close ends it, with no restart to ask for";
    EXPECT_EQ(code, 0u);
}

}  // namespace
