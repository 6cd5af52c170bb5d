// End to end under Wine: the real fuel.exe on the virtual notebook's driver,
// in a Wine desktop of its own with a taskbar and its tray, as a user sees it.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "common/win32/unique_handle.h"
#include "resources/fuel/resource.h"
#include "simulator/machinesim/control_device.h"

namespace {

constexpr char kDesktop[] = "FuelEndToEnd";
constexpr char kKey[] = "SOFTWARE\\Merovant\\Configuration Utility";

std::string Beside(const char* name) {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string program(path, length);
    return program.substr(0, program.rfind('\\') + 1) + name;
}

UniqueKernelHandle Start(std::string command, const char* desktop = nullptr) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::string desktopName = desktop != nullptr ? desktop : "";
    if (desktop != nullptr) startup.lpDesktop = desktopName.data();
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        return UniqueKernelHandle();
    CloseHandle(info.hThread);
    return UniqueKernelHandle(info.hProcess);
}

template <typename Condition>
bool WaitFor(Condition condition, DWORD milliseconds) {
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > milliseconds) return false;
        Sleep(100);
    }
    return true;
}

std::string ItemText(HWND dialog, int id) {
    char text[64] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

std::string TrayValue() {
    char value[16] = {};
    DWORD size = sizeof value - 1;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return "";
    RegQueryValueExA(key, "FGTray", nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size);
    RegCloseKey(key);
    return value;
}

HWND Gauge() { return FindWindowA("#32770", "Fuel"); }

class FuelEndToEnd : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(control.Open()) << "the virtual notebook's driver is not running in this prefix";
        ASSERT_TRUE(control.GetState(saved_));
        // The installation's key, which the gauge opens but does not create.
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        RegCloseKey(key);
    }
    void TearDown() override {
        if (HWND gauge = Gauge()) PostMessageA(gauge, WM_CLOSE, 0, 0);
        for (UniqueKernelHandle* process : {&gauge_, &desktop_})
            if (*process && WaitForSingleObject(process->get(), 10000) != WAIT_OBJECT_0)
                TerminateProcess(process->get(), 1);
        control.SetState(saved_);
    }
    void SetMachine(void (*change)(MachineState&)) {
        MachineState state;
        ASSERT_TRUE(control.GetState(state));
        change(state);
        ASSERT_TRUE(control.SetState(state));
    }
    // fuel.exe in a Wine desktop with its taskbar; this thread then works on
    // that desktop, where the gauge's window is.
    void StartInDesktop() {
        std::string command = "explorer.exe /desktop=";
        command += kDesktop;
        command += ",640x480 \"";
        command += Beside("fuel.exe");
        command += '"';
        desktop_ = Start(command);
        ASSERT_TRUE(desktop_);
        HDESK desk = nullptr;
        ASSERT_TRUE(WaitFor([&] { return (desk = OpenDesktopA(kDesktop, 0, FALSE, GENERIC_ALL)) != nullptr; },
                            20000));
        ASSERT_TRUE(SetThreadDesktop(desk)) << GetLastError();
        ASSERT_TRUE(WaitFor([] { return Gauge() != nullptr; }, 20000)) << "no window titled Fuel";
    }

    ControlDevice control;
    UniqueKernelHandle desktop_;
    UniqueKernelHandle gauge_;

private:
    MachineState saved_;
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
    EXPECT_TRUE(WaitFor([] { return TrayValue() == "0"; }, 10000));
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
    for (bool visibleAfter : {false, true}) {
        std::string command = "\"";
        command += Beside("fuel.exe");
        command += '"';
        UniqueKernelHandle second = Start(command, kDesktop);
        ASSERT_TRUE(second);
        ASSERT_EQ(WaitForSingleObject(second.get(), 20000), WAIT_OBJECT_0) << "the second start ends";
        EXPECT_EQ(IsWindowVisible(gauge) != 0, visibleAfter);
        EXPECT_EQ(Gauge(), gauge) << "still the first window";
    }
}

}  // namespace
