// End to end under Wine: the virtual notebook's driver, installed in the
// prefix by scripts/wine-prefix-machine, answers the suite's own request
// library, the DMI proxy and the hot-key driver, and machinesim reads it back.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "common/win32/unique_handle.h"
#include "machine_control/core/machine_operations.h"
#include "machine_control/core/smi_channel.h"
#include "machine_control/protocols/hotkey_protocol.h"
#include "simulator/machinesim/control_device.h"
#include "simulator/model/smbios_table.h"
#include "tests/support/console_program.h"

namespace {

// Runs machinesim.exe (beside this test) with args and returns its output, with LF line ends.
std::string RunMachinesim(const std::string& args) {
    std::string output;
    DWORD exitCode = 0;
    if (!RunProgramBeside("machinesim.exe", args, &output, &exitCode, 10000)) return "not run";
    return output;
}

UniqueFileHandle OpenDevice(const char* name) {
    return UniqueFileHandle(
        CreateFileA(name, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr));
}

class VirtualNotebook : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(control.Open()) << "the virtual notebook's driver is not running in this prefix";
        ASSERT_TRUE(control.GetState(saved_));
    }
    void TearDown() override {
        control.SetState(saved_);
        // Faults outlive the driver's restarts: none is left armed for the next test.
        control.FailNextRequests(0);
        for (std::uint32_t target = 0; target < kFaultTargets; ++target) control.ArmFault(target, 0);
    }

    ControlDevice control;

private:
    MachineState saved_;
};

TEST_F(VirtualNotebook, RequestLibraryReachesTheDriverAndMachinesimLogsIt) {
    SetSmiTransport(nullptr);
    ASSERT_TRUE(control.ClearLog());
    ASSERT_TRUE(OpenMachineControl());
    EXPECT_TRUE(SetCurDisplay(2));
    std::uint8_t display = 0;
    EXPECT_TRUE(GetCurDisplay(display));
    EXPECT_EQ(display, 2);

    const std::string zeros7 = " 00000000 00000000 00000000 00000000 00000000 00000000 00000000";
    const std::string set = " 00009612 0000010B 00000002" + zeros7;
    const std::string get_request = " 00009612 0000000B 00000000" + zeros7;
    const std::string get_reply = " 00009612 0000000B 00000002" + zeros7;
    EXPECT_EQ(RunMachinesim("log"), "REQ 00000000" + set + " -> 00000000" + set + "\n" +  //
                                        "REQ 00000000" + get_request + " -> 00000000" + get_reply + "\n");
    const std::string decoded = RunMachinesim("log --decode");
    EXPECT_NE(decoded.find(" SetCurDisplay\n"), std::string::npos) << decoded;
    EXPECT_NE(decoded.find(" GetCurDisplay\n"), std::string::npos) << decoded;

    // An injected fault reaches the library as a refused request.
    EXPECT_EQ(RunMachinesim("fail 1"), "");
    EXPECT_FALSE(GetCurDisplay(display));
    EXPECT_TRUE(GetCurDisplay(display));
    EXPECT_TRUE(CloseMachineControl());
}

TEST_F(VirtualNotebook, BiosDeviceRefusesBlocksOfTheWrongLength) {
    UniqueFileHandle bios = OpenDevice("\\\\.\\brenix");
    ASSERT_TRUE(bios);
    SmiRequest block{};
    block.Eax = 0x9612;
    block.Ebx = 0x000B;
    DWORD returned = 0;
    EXPECT_FALSE(DeviceIoControl(bios.get(), kSmiIoctl, &block, 40, &block, sizeof block, &returned, nullptr));
    EXPECT_FALSE(DeviceIoControl(bios.get(), kSmiIoctl, &block, sizeof block, &block, 8, &returned, nullptr));
    EXPECT_FALSE(DeviceIoControl(bios.get(), 0x222004, &block, sizeof block, &block, sizeof block, &returned, nullptr));
    EXPECT_TRUE(DeviceIoControl(bios.get(), kSmiIoctl, &block, sizeof block, &block, sizeof block, &returned, nullptr));
    EXPECT_EQ(returned, sizeof block);
}

TEST_F(VirtualNotebook, MachinesimShowAndSetChangeWhatTheLibraryReads) {
    EXPECT_EQ(RunMachinesim("set externalPower=0 batteryPercent=37"), "");
    const std::string shown = RunMachinesim("show");
    EXPECT_NE(shown.find("externalPower=0\n"), std::string::npos) << shown;
    SetSmiTransport(nullptr);
    ASSERT_TRUE(OpenMachineControl());
    std::uint8_t source = 9, bh = 9, bl = 0, flags = 0, percent = 0;
    std::uint16_t dx = 0;
    EXPECT_TRUE(GetPowerSource(source));
    EXPECT_EQ(source, 0);
    EXPECT_TRUE(wsbi_GetPowerSourceStatus(1, bh, bl, flags, percent, dx));
    EXPECT_EQ(percent, 37);
    EXPECT_TRUE(CloseMachineControl());
}

TEST_F(VirtualNotebook, DmiProxyHandsOutTheSmbiosTable) {
    UniqueFileHandle dmi = OpenDevice("\\\\.\\veltrova");
    ASSERT_TRUE(dmi);
    std::uint8_t table[kSmbiosTableMax] = {};
    DWORD returned = 0;
    ASSERT_TRUE(DeviceIoControl(dmi.get(), kIoctlDmiGetTable, nullptr, 0, table, sizeof table, &returned, nullptr));
    ASSERT_LE(returned, sizeof table);
    // Walk the structures: formatted area, then strings up to a double NUL.
    bool seen[3] = {};
    bool ended = false;
    for (DWORD at = 0; at + 2 <= returned && !ended;) {
        const std::uint8_t type = table[at];
        if (type < 3) seen[type] = true;
        ended = type == 127;
        at += table[at + 1];
        while (at + 1 < returned && !(table[at] == 0 && table[at + 1] == 0)) ++at;
        at += 2;
    }
    EXPECT_TRUE(seen[0] && seen[1] && seen[2]);
    EXPECT_TRUE(ended);
    std::uint8_t small[16];
    EXPECT_FALSE(DeviceIoControl(dmi.get(), kIoctlDmiGetTable, nullptr, 0, small, sizeof small, &returned, nullptr));
}

TEST_F(VirtualNotebook, PressSignalsHotkeyEventAndTheDriverHandsOutTheKey) {
    UniqueFileHandle hotkey = OpenDevice("\\\\.\\hotkey");
    ASSERT_TRUE(hotkey);
    UniqueKernelHandle event(OpenEventA(SYNCHRONIZE, FALSE, "HotkeyEvent"));
    ASSERT_TRUE(event) << "the driver's named event is not visible to user mode";
    HotkeyEventBlock block{};
    DWORD returned = 0;
    while (DeviceIoControl(hotkey.get(), IoctlHotkeyGetEvent, &block, sizeof block, &block, sizeof block, &returned,
                           nullptr)) {
    }
    WaitForSingleObject(event.get(), 0);  // a signal left from an earlier run

    HotkeySetupBlock setup{{0, 0, 0, 0}, 1, 1, 0, 1, {10, 0, 0, 0}};
    ASSERT_TRUE(DeviceIoControl(hotkey.get(), IoctlHotkeySetup, &setup, sizeof setup, &setup, sizeof setup,
                                &returned, nullptr));
    EXPECT_NE(RunMachinesim("hotkey").find("setup=00 00 00 00 01 01 00 01 0A 00 00 00\n"), std::string::npos);

    EXPECT_EQ(RunMachinesim("press 2 0x40"), "");
    ASSERT_EQ(WaitForSingleObject(event.get(), 5000), WAIT_OBJECT_0);
    block = HotkeyEventBlock{};
    ASSERT_TRUE(DeviceIoControl(hotkey.get(), IoctlHotkeyGetEvent, &block, sizeof block, &block, sizeof block,
                                &returned, nullptr));
    EXPECT_EQ(block.group, 2);
    EXPECT_EQ(block.keyMask, 0x40);
    EXPECT_EQ(WaitForSingleObject(event.get(), 0), static_cast<DWORD>(WAIT_TIMEOUT)) << "one signal per key";

    EXPECT_EQ(RunMachinesim("release-fails on"), "");
    EXPECT_FALSE(DeviceIoControl(hotkey.get(), IoctlHotkeyRelease, nullptr, 0, nullptr, 0, &returned, nullptr));
    EXPECT_EQ(RunMachinesim("release-fails off"), "");
    EXPECT_TRUE(DeviceIoControl(hotkey.get(), IoctlHotkeyRelease, nullptr, 0, nullptr, 0, &returned, nullptr));
    // machinesim hotkey lists the latest set-up and release requests, oldest first.
    const std::string requests = RunMachinesim("hotkey");
    EXPECT_NE(requests.find("request=setup 00 00 00 00 01 01 00 01 0A 00 00 00 done\n"
                            "request=release refused\nrequest=release done\n"),
              std::string::npos)
        << requests;
    std::uint8_t short_block[8] = {};
    EXPECT_FALSE(DeviceIoControl(hotkey.get(), IoctlHotkeyGetEvent, short_block, sizeof short_block, short_block,
                                 sizeof short_block, &returned, nullptr));
}

// Faults armed by name through machinesim fail that operation only, the
// armed number of times, on every device.
TEST_F(VirtualNotebook, FaultsArmedByNameFailTheirOperationTheArmedNumberOfTimes) {
    SetSmiTransport(nullptr);
    ASSERT_TRUE(OpenMachineControl());
    std::uint8_t display = 0, source = 0;
    EXPECT_EQ(RunMachinesim("fail GetCurDisplay 2"), "");
    EXPECT_EQ(RunMachinesim("fail --list"), "GetCurDisplay 2\n");
    EXPECT_TRUE(GetPowerSource(source));
    EXPECT_TRUE(SetCurDisplay(1));
    EXPECT_FALSE(GetCurDisplay(display));
    EXPECT_FALSE(GetCurDisplay(display));
    EXPECT_TRUE(GetCurDisplay(display));
    EXPECT_EQ(RunMachinesim("fail --list"), "no faults armed\n");

    EXPECT_EQ(RunMachinesim("fail GetPowerSource always"), "");
    for (int i = 0; i < 3; ++i) EXPECT_FALSE(GetPowerSource(source));
    EXPECT_EQ(RunMachinesim("fail GetPowerSource off"), "");
    EXPECT_TRUE(GetPowerSource(source));
    EXPECT_TRUE(CloseMachineControl());

    UniqueFileHandle dmi = OpenDevice("\\\\.\\veltrova");
    ASSERT_TRUE(dmi);
    std::uint8_t table[kSmbiosTableMax] = {};
    DWORD returned = 0;
    EXPECT_EQ(RunMachinesim("fail dmi"), "");
    EXPECT_FALSE(DeviceIoControl(dmi.get(), kIoctlDmiGetTable, nullptr, 0, table, sizeof table, &returned, nullptr));
    EXPECT_TRUE(DeviceIoControl(dmi.get(), kIoctlDmiGetTable, nullptr, 0, table, sizeof table, &returned, nullptr));

    UniqueFileHandle hotkey = OpenDevice("\\\\.\\hotkey");
    ASSERT_TRUE(hotkey);
    HotkeySetupBlock setup{{0, 0, 0, 0}, 1, 1, 1, 1, {10, 0, 0, 0}};
    EXPECT_EQ(RunMachinesim("fail hotkey-setup 1"), "");
    EXPECT_FALSE(DeviceIoControl(hotkey.get(), IoctlHotkeySetup, &setup, sizeof setup, &setup, sizeof setup,
                                 &returned, nullptr));
    EXPECT_TRUE(DeviceIoControl(hotkey.get(), IoctlHotkeySetup, &setup, sizeof setup, &setup, sizeof setup,
                                &returned, nullptr));
    EXPECT_EQ(RunMachinesim("fail hotkey-release 1"), "");
    EXPECT_FALSE(DeviceIoControl(hotkey.get(), IoctlHotkeyRelease, nullptr, 0, nullptr, 0, &returned, nullptr));
    EXPECT_TRUE(DeviceIoControl(hotkey.get(), IoctlHotkeyRelease, nullptr, 0, nullptr, 0, &returned, nullptr));

    std::string output;
    DWORD exitCode = 0;
    ASSERT_TRUE(RunProgramBeside("machinesim.exe", "fail NoSuchOperation", &output, &exitCode, 10000));
    EXPECT_EQ(exitCode, 1u);
    EXPECT_EQ(RunMachinesim("fail --list"), "no faults armed\n");
}

}  // namespace
