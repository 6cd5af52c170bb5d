// The shipping merovant and tray launcher on the 32-bit Wine, on the virtual
// notebook's driver: merovant's frame and a page read from the machine, and
// the tray launcher's icon starting that page alone.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "resources/merovant/resource.h"
#include "tests/shipping/shipping_tree.h"
#include "tests/support/program_run.h"
#include "tests/support/registry_value.h"
#include "tests/support/tray_icon.h"
#include "tests/support/virtual_notebook_test.h"
#include "tests/support/wait_for.h"

namespace {

constexpr char kMerovantTitle[] = "Merovant Configuration";
constexpr char kParallelPortTitle[] = "Parallel Port";
// taskbar's icon in the tray and its menu's entry for the Parallel Port page.
constexpr UINT kTaskbarIconId = 129;
constexpr UINT kTaskbarParallelPort = 32778;

class ShippingMerovant : public VirtualNotebookTest {
protected:
    void SetUp() override {
        VirtualNotebookTest::SetUp();
        // The parallel port in ECP mode, as the page reads it.
        SetMachine([](MachineState& s) {
            s.parallelPortStatus = 0;
            s.parallelPortMode = 2;
            s.parallelPortDma = 3;
            s.parallelPortWord = 0x0378;
        });
    }
    void TearDown() override {
        for (StartedProgram* program : {&first, &second}) EndWithin(*program, 10000);
        VirtualNotebookTest::TearDown();
    }
    // The page shows the mode the machine answered.
    static bool ShowsEcp(HWND page) {
        return WaitFor([&] { return SendDlgItemMessageA(page, IDC_OPERATING_MODE_LIST, CB_GETCURSEL, 0, 0) == 2; },
                       10000);
    }

    StartedProgram first, second;
};

TEST_F(ShippingMerovant, ShowsItsFrameAndAPageReadFromTheMachine) {
    ASSERT_TRUE(control.ClearLog());
    first = StartProgram(QuotedShippingImage("merovant.exe"));
    ASSERT_TRUE(first);
    HWND frame = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (frame = VisibleWindow(nullptr, kMerovantTitle)) != nullptr; }, kStartMs));
    HWND toolbar = nullptr;
    ASSERT_TRUE(WaitFor(
        [&] { return (toolbar = FindWindowExA(frame, nullptr, TOOLBARCLASSNAMEA, nullptr)) != nullptr; }, 10000));
    EXPECT_GT(SendMessageA(toolbar, TB_BUTTONCOUNT, 0, 0), 0);
    EXPECT_NE(GetMenu(frame), nullptr);

    PostMessageA(frame, WM_COMMAND, ID_PAGE_PARALLEL_PORT, 0);
    HWND page = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (page = VisibleWindow("#32770", kParallelPortTitle)) != nullptr; }, kStartMs));
    EXPECT_EQ(GetWindow(page, GW_OWNER), frame);
    EXPECT_TRUE(ShowsEcp(page)) << "as the machine answered";
    EXPECT_NE(DecodedMachineLog().find("GetParallPortOpMode"), std::string::npos);

    PostMessageA(page, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(page); }, 15000));
    PostMessageA(frame, WM_CLOSE, 0, 0);
    DWORD code = 99;
    EXPECT_TRUE(Ended(first, 30000, &code));
    EXPECT_EQ(code, 0u);
}

TEST_F(ShippingMerovant, TrayLauncherStartsAPageOfMerovant) {
    SavedSharedValues key{"Program", "CurrentPath", "CUTray", "TaskBarId"};
    key.Set("Program", ShippingImage("merovant.exe"));
    key.Set("CurrentPath", WindowsPath(SHIPPING_TREE "/bin"));
    first = StartProgram(QuotedShippingImage("taskbar.exe"));
    ASSERT_TRUE(first);
    HWND taskbar = nullptr;
    ASSERT_TRUE(WaitFor(
        [&] {
            taskbar = FindWindowA(nullptr, "Taskbar");
            DWORD process = 0;
            GetWindowThreadProcessId(taskbar, &process);
            return taskbar != nullptr && process == first.id;
        },
        kStartMs));
    EXPECT_TRUE(WaitFor([&] { return ShellHoldsIcon(taskbar, kTaskbarIconId, kMerovantTitle); }, 15000));

    PostMessageA(taskbar, WM_COMMAND, kTaskbarParallelPort, 0);
    HWND page = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (page = VisibleWindow("#32770", kParallelPortTitle, first.id)) != nullptr; },
                        kStartMs))
        << "merovant's Parallel Port page";
    EXPECT_EQ(VisibleWindow(nullptr, kMerovantTitle), nullptr) << "the page alone";
    EXPECT_TRUE(ShowsEcp(page));
    DWORD merovant = 0;
    GetWindowThreadProcessId(page, &merovant);
    second.process.reset(OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, merovant));
    second.id = merovant;
    PostMessageA(page, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(Ended(second, 30000)) << "merovant ends with its page";
    PostMessageA(taskbar, WM_CLOSE, 0, 0);
}

}  // namespace
