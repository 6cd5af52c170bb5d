// The shipping applet and service on the 32-bit Wine: Panelora.cpl as the
// Control Panel loads and starts it, Pressmon through the service manager.
#include <gtest/gtest.h>

#include <windows.h>
#include <cpl.h>

#include <cstring>
#include <string>

#include "common/win32/unique_handle.h"
#include "tests/shipping/shipping_tree.h"
#include "tests/support/console_program.h"
#include "tests/support/loaded_applet.h"
#include "tests/support/program_run.h"
#include "tests/support/registry_value.h"
#include "tests/support/virtual_notebook_test.h"
#include "tests/support/wait_for.h"

namespace {

// The Control Panel of Windows 95 and NT 4.0 hands its applets this record
// and reads the ANSI fields when the applet says it is this long.
constexpr DWORD kNewCplInfoASize = 244;
static_assert(sizeof(NEWCPLINFOA) == kNewCplInfoASize, "the 32-bit NEWCPLINFOA");

TEST(ShippingPanelora, TheControlPanelListsTheAppletAndStartsMerovant) {
    {
        LoadedApplet applet(ShippingImage("Panelora.cpl"));
        ASSERT_NE(applet.entry, nullptr) << "Panelora.cpl exports CPlApplet";
        HWND window = GetDesktopWindow();
        ASSERT_EQ(applet.entry(window, CPL_INIT, 0, 0), 1);
        ASSERT_EQ(applet.entry(window, CPL_GETCOUNT, 0, 0), 1);
        NEWCPLINFOA info;
        std::memset(&info, 0, sizeof info);
        EXPECT_EQ(applet.entry(window, CPL_NEWINQUIRE, 0, reinterpret_cast<LPARAM>(&info)), 0);
        EXPECT_EQ(info.dwSize, kNewCplInfoASize);
        EXPECT_STREQ(info.szName, "Merovant Configuration ");
        EXPECT_STREQ(info.szInfo, "Applet for Merovant Configuration utility");
        EXPECT_NE(info.hIcon, nullptr);
        EXPECT_EQ(applet.entry(window, CPL_EXIT, 0, 0), 0);
    }

    // "control FILE.cpl" loads the applet, asks for its one entry and
    // double-clicks it: merovant starts from the shared key's "Program".
    SavedSharedValues key{"Program", "CurrentPath"};
    key.Set("Program", ShippingImage("merovant.exe"));
    key.Set("CurrentPath", WindowsPath(SHIPPING_TREE "/bin"));
    const StartedProgram control = StartProgram("control.exe " + QuotedShippingImage("Panelora.cpl"));
    ASSERT_TRUE(control);
    HWND frame = nullptr;
    EXPECT_TRUE(
        WaitFor([&] { return (frame = VisibleWindow(nullptr, "Merovant Configuration", control.id)) != nullptr; },
                kStartMs));
    EXPECT_TRUE(Ended(control, 30000));
    if (frame != nullptr) {
        DWORD merovant = 0;
        GetWindowThreadProcessId(frame, &merovant);
        StartedProgram started;
        started.process.reset(OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, merovant));
        PostMessageA(frame, WM_CLOSE, 0, 0);
        EXPECT_TRUE(Ended(started, 30000));
    }
}

// Pressmon's own key with every group of keys on, removed when the test ends.
class HotkeyServiceKey {
public:
    HotkeyServiceKey() {
        RegCreateKeyExA(HKEY_LOCAL_MACHINE, kPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key_.put(), nullptr);
        for (const char* group : {"Function", "Number", "Playstation", "Shutdown"})
            RegSetValueExA(key_.get(), group, 0, REG_SZ, reinterpret_cast<const BYTE*>("1"), 2);
    }
    ~HotkeyServiceKey() {
        key_.reset();
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, kPath);
    }
    HotkeyServiceKey(const HotkeyServiceKey&) = delete;
    HotkeyServiceKey& operator=(const HotkeyServiceKey&) = delete;

private:
    static constexpr char kPath[] = "System\\CurrentControlSet\\Services\\Hotkey";
    UniqueRegistryKey key_;
};

std::string RunPressmon(const char* arguments) {
    ConsoleProgram pressmon;
    std::string output;
    DWORD code = 99;
    EXPECT_TRUE(pressmon.Start(QuotedShippingImage("Pressmon.exe") + " " + arguments) &&
                pressmon.Finish(60000, &output, &code));
    EXPECT_EQ(code, 0u) << arguments;
    return WithoutCarriageReturns(output);
}

DWORD ServiceState(SC_HANDLE service) {
    SERVICE_STATUS status{};
    return QueryServiceStatus(service, &status) ? status.dwCurrentState : 0;
}

class ShippingPressmon : public VirtualNotebookTest {
protected:
    void TearDown() override {
        // A run cut short leaves no service behind.
        UniqueServiceHandle manager(OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
        UniqueServiceHandle service(OpenServiceA(manager.get(), "HotkeyService", SERVICE_ALL_ACCESS));
        if (service) {
            SERVICE_STATUS status{};
            ControlService(service.get(), SERVICE_CONTROL_STOP, &status);
            WaitFor([&] { return ServiceState(service.get()) == SERVICE_STOPPED; }, 30000);
            DeleteService(service.get());
        }
        VirtualNotebookTest::TearDown();
    }
    HotkeyStatus Hotkeys() {
        HotkeyStatus status{};
        EXPECT_TRUE(control.GetHotkeys(status));
        return status;
    }

    HotkeyServiceKey key;
};

TEST_F(ShippingPressmon, InstallsStartsStopsAndRemovesThroughTheServiceManager) {
    const HotkeyStatus before = Hotkeys();
    EXPECT_EQ(RunPressmon("-install"), "Hotkey Panel Service installed.\n");
    UniqueServiceHandle manager(OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
    ASSERT_TRUE(manager);
    {
        UniqueServiceHandle service(OpenServiceA(manager.get(), "HotkeyService", SERVICE_ALL_ACCESS));
        ASSERT_TRUE(service) << "installed";
        ASSERT_TRUE(StartServiceA(service.get(), 0, nullptr)) << GetLastError();
        EXPECT_TRUE(WaitFor([&] { return ServiceState(service.get()) == SERVICE_RUNNING; }, kStartMs));
        EXPECT_TRUE(WaitFor([&] { return Hotkeys().setupCount > before.setupCount; }, 30000))
            << "the service set up the hot-key driver";

        SERVICE_STATUS status{};
        ASSERT_TRUE(ControlService(service.get(), SERVICE_CONTROL_STOP, &status)) << GetLastError();
        EXPECT_TRUE(WaitFor([&] { return ServiceState(service.get()) == SERVICE_STOPPED; }, 30000));
        EXPECT_GT(Hotkeys().releaseCount, before.releaseCount) << "the service released the driver";
    }
    EXPECT_EQ(RunPressmon("-remove"), "Hotkey Panel Service removed.\n");
    UniqueServiceHandle removed(OpenServiceA(manager.get(), "HotkeyService", SERVICE_QUERY_STATUS));
    EXPECT_FALSE(removed);
}

}  // namespace
