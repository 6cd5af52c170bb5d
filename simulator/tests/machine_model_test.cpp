// The model answers the fifty operations as the machine would, through the
// request library and the in-process transport.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "machine_control/core/machine_operations.h"
#include "simulator/model/machine_model.h"
#include "simulator/model/model_transport.h"

namespace {

class MachineModelTest : public ::testing::Test {
protected:
    MachineModelTest() : transport_(model), previous_(SetSmiTransport(&transport_)) {}
    ~MachineModelTest() override { SetSmiTransport(previous_); }

    static SmiRequest Request(std::uint32_t function, std::uint32_t ebx) {
        SmiRequest r{};
        r.Eax = function;
        r.Ebx = ebx;
        return r;
    }

    MachineModel model;

private:
    ModelTransport transport_;
    SmiTransport* previous_;
};

// A setting operation and its query: set 'value', then read it back.
struct SetThenQuery {
    const char* name;
    std::function<Bool32(std::uint16_t)> set;
    std::function<Bool32(std::uint16_t&)> query;
    std::uint16_t value;
    std::uint16_t expected;  // what the query answers after the set
};

template <typename T>
std::function<Bool32(std::uint16_t&)> Out(std::function<Bool32(T&)> get) {
    return [get](std::uint16_t& out) {
        T v{};
        if (!get(v)) return Bool32{0};
        out = v;
        return Bool32{1};
    };
}

TEST_F(MachineModelTest, EverySettingReadsBackWhatWasSet) {
    using u8 = std::uint8_t;
    using u16 = std::uint16_t;
    const SetThenQuery cases[] = {
        {"Glidenub", [](u16 v) { return EnableGlidenub(u8(v)); }, Out<u8>([](u8& o) { return GetGlidenubStatus(o); }), 0, 0},
        {"CurDisplay", [](u16 v) { return SetCurDisplay(u8(v)); }, Out<u8>([](u8& o) { return GetCurDisplay(o); }), 2, 2},
        {"ScreenExpansion", [](u16 v) { return EnableScreenExpansion(v); }, Out<u8>([](u8& o) { return GetScreenExpansion(o); }), 0, 0},
        {"NotSuspendForLCDClose", [](u16 v) { return SetNotSuspendForLCDClose(v); }, Out<u8>([](u8& o) { return GetNotSuspendForLCDClose(o); }), 1, 1},
        {"ScreenBlank", [](u16 v) { return SetScreenBlank(v); }, Out<u8>([](u8& o) { return GetScreenBlank(o); }), 1, 1},
        {"BrightMode", [](u16 v) { return SetBrightMode(u8(v)); }, Out<u8>([](u8& o) { return GetBrightMode(o); }), 1, 1},
        {"SleepWhileDocked", [](u16 v) { return SetSleepWhileDocked(v); }, Out<u8>([](u8& o) { return GetSleepWhileDocked(o); }), 1, 1},
        {"CPUSpeed", [](u16 v) { return SetCPUSpeedforCustomized(0, u8(v)); }, Out<u8>([](u8& o) { return GetCPUSpeedforCustomized(0, o); }), 5, 5},
        {"CDROMSpeed", [](u16 v) { return SetCDROMSpeed(u8(v)); }, Out<u8>([](u8& o) { return GetCDROMSpeed(o); }), 2, 2},
        {"PowerModeAC", [](u16 v) { return SetPowerMode(1, u8(v)); }, Out<u8>([](u8& o) { return GetPowerMode(1, o); }), 2, 2},
        {"PowerModeBattery", [](u16 v) { return SetPowerMode(2, u8(v)); }, Out<u8>([](u8& o) { return GetPowerMode(2, o); }), 0, 0},
        {"LCDOffTimer", [](u16 v) { return SetLCDOffTimer(0, u8(v)); }, Out<u8>([](u8& o) { return GetLCDOffTimer(0, o); }), 11, 11},
        {"HDDOffTimer", [](u16 v) { return SetHDDOffTimer(0, u8(v)); }, Out<u8>([](u8& o) { return GetHDDOffTimer(0, o); }), 4, 4},
        {"SysSuspendTimer", [](u16 v) { return SetSysSuspendTimer(0, u8(v)); }, Out<u8>([](u8& o) { return GetSysSuspendTimer(0, o); }), 9, 9},
        {"Infrared", [](u16 v) { return SetInfraredStatus(u8(v)); }, Out<u8>([](u8& o) { return GetInfraredStatus(o); }), 0, 0},
        {"FnKeyLock", [](u16 v) { return SetFnKeyLockStatus(v); }, Out<u8>([](u8& o) { return GetFnKeyLockstatus(o); }), 1, 1},
        {"SerialPortOff", [](u16 v) { return SetSerialPortStatus(u8(v)); }, Out<u8>([](u8& o) { return GetSerialPortStatus(0, o); }), 16, kPortDisabled},
    };
    for (const SetThenQuery& c : cases) {
        SCOPED_TRACE(c.name);
        std::uint16_t before = 0xBEEF;
        ASSERT_TRUE(c.query(before));
        ASSERT_NE(before, c.expected) << "the case must change the setting";
        ASSERT_TRUE(c.set(c.value));
        std::uint16_t after = 0xBEEF;
        ASSERT_TRUE(c.query(after));
        EXPECT_EQ(after, c.expected);
    }
}

TEST_F(MachineModelTest, MultiFieldSettingsComeBackInTheirFields) {
    // The resume timer keeps its BCD as it was set.
    ASSERT_TRUE(SetResumeOnTimer(1, 0x23, 0x59, 0x58, 0x1231, 0x1999));
    std::uint8_t on = 0, hours = 0, minutes = 0, seconds = 0;
    std::uint16_t date = 0, year = 0;
    ASSERT_TRUE(GetResumeOnTimer(on, hours, minutes, seconds, date, year));
    EXPECT_EQ(on, 1);
    EXPECT_EQ(hours, 0x23);
    EXPECT_EQ(minutes, 0x59);
    EXPECT_EQ(seconds, 0x58);
    EXPECT_EQ(date, 0x1231);
    EXPECT_EQ(year, 0x1999);

    ASSERT_TRUE(SetHibernateStatus(0x1F, 3));
    std::uint8_t flags = 0, timer = 0;
    ASSERT_TRUE(GetHibernateStatus(flags, timer));
    EXPECT_EQ(flags, 0x1F);
    EXPECT_EQ(timer, 3);

    // The parallel port's DH comes back split as it was packed.
    ASSERT_TRUE(SetParallPortOpMode(0x0278, 5, 3, 1));
    std::uint8_t status = 0xFF, y = 0, mode = 0, dma = 0;
    std::uint16_t x = 0;
    ASSERT_TRUE(GetParallPortOpMode(status, x, y, mode, dma));
    EXPECT_EQ(status, 0);
    EXPECT_EQ(x, 0x0278);
    EXPECT_EQ(y, 5);
    EXPECT_EQ(mode, 3);
    EXPECT_EQ(dma, 1);
    ASSERT_TRUE(SetParallelPort(16));
    ASSERT_TRUE(GetParallPortOpMode(status, x, y, mode, dma));
    EXPECT_EQ(status, kPortDisabled);
    ASSERT_TRUE(SetParallelPort(17));
    ASSERT_TRUE(GetParallPortOpMode(status, x, y, mode, dma));
    EXPECT_EQ(status, 0);
}

TEST_F(MachineModelTest, SelectorsKeepTheirOwnValues) {
    ASSERT_TRUE(SetPowerMode(1, 0));
    ASSERT_TRUE(SetPowerMode(2, 2));
    ASSERT_TRUE(SetLCDOffTimer(1, 7));
    ASSERT_TRUE(SetLCDOffTimer(2, 8));
    std::uint8_t ac = 9, battery = 9, lcd_ac = 0, lcd_battery = 0;
    ASSERT_TRUE(GetPowerMode(1, ac));
    ASSERT_TRUE(GetPowerMode(2, battery));
    ASSERT_TRUE(GetLCDOffTimer(1, lcd_ac));
    ASSERT_TRUE(GetLCDOffTimer(2, lcd_battery));
    EXPECT_EQ(ac, 0);
    EXPECT_EQ(battery, 2);
    EXPECT_EQ(lcd_ac, 7);
    EXPECT_EQ(lcd_battery, 8);
}

TEST_F(MachineModelTest, PciPinsAnswerTheirMaskAndTakeOnlyOfferedInterrupts) {
    std::uint8_t count = 0;
    ASSERT_TRUE(GetPCISteeringNum(count));
    EXPECT_EQ(count, 4);
    std::uint16_t mask = 0;
    ASSERT_TRUE(GetPCISteeringIRQList(1, mask));
    EXPECT_EQ(mask, 0x8EB8);
    EXPECT_FALSE(GetPCISteeringIRQList(5, mask));

    ASSERT_TRUE(SetPCISteeringIRQ(1, 1, 5));
    std::uint8_t assigned = 0, irq = 0;
    ASSERT_TRUE(GetPCISteeringIRQ(1, assigned, irq));
    EXPECT_EQ(assigned, 1);
    EXPECT_EQ(irq, 5);
    EXPECT_FALSE(SetPCISteeringIRQ(1, 1, 6)) << "interrupt 6 is not in the pin's mask";
    ASSERT_TRUE(SetPCISteeringIRQ(1, 0, 0x80));
    ASSERT_TRUE(GetPCISteeringIRQ(1, assigned, irq));
    EXPECT_EQ(assigned, 0);
    EXPECT_EQ(irq, 0x80);
}

TEST_F(MachineModelTest, ValuesWithMeaningFollowTheMachine) {
    EXPECT_FALSE(CheckMonitorConnect());
    model.state.monitorConnected = 1;
    EXPECT_TRUE(CheckMonitorConnect());

    std::uint8_t source = 9, bh = 9, bl = 0, flags = 0, percent = 0;
    std::uint16_t dx = 0;
    ASSERT_TRUE(GetPowerSource(source));
    EXPECT_EQ(source, 1);
    model.state.externalPower = 0;
    ASSERT_TRUE(GetPowerSource(source));
    EXPECT_EQ(source, 0);
    ASSERT_TRUE(wsbi_GetPowerSourceStatus(1, bh, bl, flags, percent, dx));
    EXPECT_EQ(bh, 0);
    EXPECT_EQ(percent, 100);

    std::uint8_t a = 0, b = 0, c = 0, d = 0;
    ASSERT_TRUE(GetPowerModeDefaultInfo(1, 0, a, b, c, d));
    EXPECT_EQ(a, 0);
    ASSERT_TRUE(GetPowerModeDefaultInfo(1, 1, a, b, c, d));
    EXPECT_NE(a, 0) << "maximum battery life switches the LCD off";
    EXPECT_FALSE(GetPowerModeDefaultInfo(1, 3, a, b, c, d));

    ASSERT_TRUE(SetSysPowerState(2));
    EXPECT_EQ(model.state.sysPowerState, 2);
    EXPECT_EQ(model.state.sysPowerRequests, 1u);
    EXPECT_FALSE(SetSysPowerState(3));
    EXPECT_EQ(model.state.sysPowerState, 2);
}

TEST_F(MachineModelTest, UnknownRequestsFailAndChangeNothing) {
    const SmiRequest unknown[] = {
        Request(0x9613, 0x000B),        // no such function code
        Request(kSmiFunctionDisplay, 0x0055),
        Request(kSmiFunctionDisplay, 0x050B),  // display with an unknown action
        Request(kSmiFunctionPower, 0x0099),
        Request(kSmiFunctionPower, 0x0316),
        Request(kSmiFunctionPorts, 0x0044),
        Request(kSmiFunctionPorts, 0x071E),    // no pin 7
    };
    MachineState before = model.state;
    for (const SmiRequest& r : unknown) {
        SmiRequest reply{};
        model.AnswerSmiRequest(r, reply);
        EXPECT_EQ(reply.Status, kSmiFailed) << std::hex << r.Eax << " " << r.Ebx;
    }
    // A selector beyond the three and a display beyond "both" are refused too.
    SmiRequest set_mode = Request(kSmiFunctionPower, 0x0116);
    set_mode.Edx = 3;
    SmiRequest reply{};
    model.AnswerSmiRequest(set_mode, reply);
    EXPECT_EQ(reply.Status, kSmiFailed);
    EXPECT_FALSE(SetCurDisplay(3));
    EXPECT_EQ(std::memcmp(&before, &model.state, sizeof before), 0);
}

TEST_F(MachineModelTest, UnknownRequestLeavesTheDmiFaultArmed) {
    ASSERT_TRUE(model.ArmFault(kFaultDmi, 1));
    SmiRequest reply{};
    model.AnswerSmiRequest(Request(0x9613, 0x000B), reply);
    EXPECT_EQ(reply.Status, kSmiFailed);
    EXPECT_EQ(model.ArmedFault(kFaultDmi), 1u) << "a BIOS request the machine does not know is no DMI request";
}

TEST_F(MachineModelTest, BatteryDrainsOnBatteryAndChargesOnExternalPower) {
    std::uint8_t bh = 0, bl = 0, flags = 0, percent = 0;
    std::uint16_t dx = 0;
    // Full on external power: not charging.
    ASSERT_TRUE(wsbi_GetPowerSourceStatus(1, bh, bl, flags, percent, dx));
    EXPECT_EQ(bh, 1);
    EXPECT_EQ(flags & kBatteryCharging, 0);

    model.state.externalPower = 0;
    model.AdvanceTime(kBatteryDrainMsPerPercent * 10 - 1);
    EXPECT_EQ(model.state.batteryPercent, 91) << "a part of a percent is kept, not lost";
    model.AdvanceTime(1);
    EXPECT_EQ(model.state.batteryPercent, 90);
    model.AdvanceTime(kBatteryDrainMsPerPercent * 500);
    EXPECT_EQ(model.state.batteryPercent, 0) << "it stops at empty";

    model.state.externalPower = 1;
    model.AdvanceTime(kBatteryChargeMsPerPercent * 40);
    ASSERT_TRUE(wsbi_GetPowerSourceStatus(1, bh, bl, flags, percent, dx));
    EXPECT_EQ(percent, 40);
    EXPECT_EQ(flags & kBatteryCharging, kBatteryCharging);
    model.AdvanceTime(kBatteryChargeMsPerPercent * 100);
    ASSERT_TRUE(wsbi_GetPowerSourceStatus(1, bh, bl, flags, percent, dx));
    EXPECT_EQ(percent, 100);
    EXPECT_EQ(flags & kBatteryCharging, 0);

    // Other flags (charge unknown) are reported as set.
    model.state.batteryFlags = 0x10;
    ASSERT_TRUE(wsbi_GetPowerSourceStatus(1, bh, bl, flags, percent, dx));
    EXPECT_EQ(flags, 0x10);
}

TEST_F(MachineModelTest, InjectedFaultsFailTheNextRequestsOnly) {
    model.FailNextRequests(2);
    std::uint8_t display = 9;
    EXPECT_FALSE(SetCurDisplay(2));
    EXPECT_FALSE(GetCurDisplay(display));
    EXPECT_EQ(display, 9);
    EXPECT_EQ(model.state.curDisplay, 1);
    EXPECT_TRUE(GetCurDisplay(display));
    EXPECT_EQ(display, 1);
}

TEST_F(MachineModelTest, LogKeepsRequestAndReplyOldestFirst) {
    ASSERT_TRUE(SetCurDisplay(2));
    std::uint8_t display = 0;
    ASSERT_TRUE(GetCurDisplay(display));
    ASSERT_EQ(model.LogCount(), 2u);
    SmiLogEntry first{}, second{};
    ASSERT_TRUE(model.GetLogEntry(0, first));
    ASSERT_TRUE(model.GetLogEntry(1, second));
    EXPECT_EQ(first.request.Ebx, 0x010Bu);
    EXPECT_EQ(first.request.Ecx, 2u);
    EXPECT_EQ(second.request.Ebx, 0x000Bu);
    EXPECT_EQ(second.reply.Ecx, 2u);
    EXPECT_FALSE(model.GetLogEntry(2, first));

    // Past its capacity the log keeps the latest requests.
    for (std::uint32_t i = 0; i < kSmiLogCapacity + 5; ++i) {
        SmiRequest r = Request(kSmiFunctionPower, 0x0000);
        r.Esi = i;
        SmiRequest reply{};
        model.AnswerSmiRequest(r, reply);
    }
    EXPECT_EQ(model.LogCount(), kSmiLogCapacity);
    ASSERT_TRUE(model.GetLogEntry(0, first));
    EXPECT_EQ(first.request.Esi, 5u);
    ASSERT_TRUE(model.GetLogEntry(kSmiLogCapacity - 1, first));
    EXPECT_EQ(first.request.Esi, kSmiLogCapacity + 4);
    model.ClearLog();
    EXPECT_EQ(model.LogCount(), 0u);
}

TEST(MachineModelHotkeys, QueueHandsOutKeysInOrderUntilFull) {
    MachineModel model;
    HotkeyEventBlock event{};
    EXPECT_FALSE(model.TakeHotkeyEvent(event));
    ASSERT_EQ(model.PressHotkey(0, 0x04), KeyPress::Queued);
    ASSERT_EQ(model.PressHotkey(2, 0x40), KeyPress::Queued);
    ASSERT_TRUE(model.TakeHotkeyEvent(event));
    EXPECT_EQ(event.group, 0);
    EXPECT_EQ(event.keyMask, 0x04);
    ASSERT_TRUE(model.TakeHotkeyEvent(event));
    EXPECT_EQ(event.group, 2);
    EXPECT_EQ(event.keyMask, 0x40);
    EXPECT_FALSE(model.TakeHotkeyEvent(event));

    for (std::uint32_t i = 0; i < kHotkeyQueueCapacity; ++i)
        ASSERT_EQ(model.PressHotkey(1, std::uint8_t(i)), KeyPress::Queued);
    EXPECT_EQ(model.PressHotkey(1, 0xFF), KeyPress::QueueFull);
    ASSERT_TRUE(model.TakeHotkeyEvent(event));
    EXPECT_EQ(event.keyMask, 0);
}

TEST(MachineModelHotkeys, SetupAndReleaseAreRecorded) {
    MachineModel model;
    HotkeySetupBlock setup{{0, 0, 0, 0}, 1, 0, 1, 1, {10, 0, 0, 0}};
    EXPECT_TRUE(model.SetupHotkeys(setup));
    EXPECT_EQ(std::memcmp(&model.Hotkeys().lastSetup, &setup, sizeof setup), 0);
    EXPECT_EQ(model.Hotkeys().setupCount, 1u);
    EXPECT_TRUE(model.ReleaseHotkeys());
    model.SetHotkeyReleaseFails(true);
    EXPECT_FALSE(model.ReleaseHotkeys());
    EXPECT_EQ(model.Hotkeys().releaseCount, 2u);

    // Each request is recorded with its outcome, the latest eight kept.
    const HotkeyStatus& status = model.Hotkeys();
    ASSERT_EQ(status.recordCount, 3u);
    EXPECT_EQ(status.records[0].kind, kHotkeyRequestSetup);
    EXPECT_EQ(status.records[0].accepted, 1);
    EXPECT_EQ(std::memcmp(&status.records[0].setup, &setup, sizeof setup), 0);
    EXPECT_EQ(status.records[1].kind, kHotkeyRequestRelease);
    EXPECT_EQ(status.records[1].accepted, 1);
    EXPECT_EQ(status.records[2].kind, kHotkeyRequestRelease);
    EXPECT_EQ(status.records[2].accepted, 0);
    for (int i = 0; i < 6; ++i) model.ReleaseHotkeys();
    EXPECT_EQ(status.recordCount, 9u);
    EXPECT_EQ(status.records[8 % kHotkeyRecordCapacity].kind, kHotkeyRequestRelease)
        << "the ninth request takes the place of the first, the set-up";
}

// After a set-up only the keys of the groups it turned on are queued: the
// function keys (group 0), the number keys (any other group), and in group 2
// the play-station keys 1-6 apart from the shutdown keys 7 and 8.
TEST(MachineModelHotkeys, SetupDecidesWhichGroupsAreQueued) {
    struct Case {
        std::uint8_t function, number, playstation, shutdown;
        std::uint8_t group, mask;
        KeyPress expected;
    };
    const Case cases[] = {
        {1, 0, 0, 0, 0, 0x01, KeyPress::Queued},   {0, 1, 1, 1, 0, 0x01, KeyPress::Ignored},
        {0, 1, 0, 0, 1, 0x80, KeyPress::Queued},   {1, 0, 1, 1, 3, 0x02, KeyPress::Ignored},
        {0, 0, 1, 0, 2, 0x08, KeyPress::Queued},   {1, 1, 0, 1, 2, 0x08, KeyPress::Ignored},
        {0, 0, 0, 1, 2, 0x40, KeyPress::Queued},   {1, 1, 1, 0, 2, 0x80, KeyPress::Ignored},
        {0, 0, 1, 0, 2, 0x41, KeyPress::Queued},   // the lowest key, 1, decides
    };
    for (const Case& c : cases) {
        MachineModel model;
        EXPECT_EQ(model.PressHotkey(c.group, c.mask), KeyPress::Queued) << "before any set-up every key counts";
        HotkeyEventBlock event{};
        ASSERT_TRUE(model.TakeHotkeyEvent(event));
        ASSERT_TRUE(model.SetupHotkeys({{0, 0, 0, 0}, c.function, c.number, c.playstation, c.shutdown, {10, 0, 0, 0}}));
        EXPECT_EQ(model.PressHotkey(c.group, c.mask), c.expected) << int(c.group) << " " << int(c.mask);
        EXPECT_EQ(model.Hotkeys().queuedEvents, c.expected == KeyPress::Queued ? 1u : 0u);
    }
}

TEST(MachineModelFaults, ArmedFaultFailsOnlyItsOperationTheArmedNumberOfTimes) {
    MachineModel model;
    ModelTransport transport(model);
    SmiTransport* previous = SetSmiTransport(&transport);
    const std::uint32_t getDisplay = static_cast<std::uint32_t>(SmiOp::GetCurDisplay);
    ASSERT_TRUE(model.ArmFault(getDisplay, 2));
    std::uint8_t display = 9, source = 9;
    EXPECT_TRUE(SetCurDisplay(2)) << "the set of the same sub-function is another operation";
    EXPECT_TRUE(GetPowerSource(source));
    EXPECT_FALSE(GetCurDisplay(display));
    EXPECT_FALSE(GetCurDisplay(display));
    EXPECT_EQ(display, 9);
    EXPECT_TRUE(GetCurDisplay(display));
    EXPECT_EQ(display, 2);
    EXPECT_EQ(model.ArmedFault(getDisplay), 0u);

    ASSERT_TRUE(model.ArmFault(getDisplay, kFaultAlways));
    for (int i = 0; i < 5; ++i) EXPECT_FALSE(GetCurDisplay(display));
    EXPECT_EQ(model.ArmedFault(getDisplay), kFaultAlways);
    ASSERT_TRUE(model.ArmFault(getDisplay, 0));
    EXPECT_TRUE(GetCurDisplay(display));
    EXPECT_FALSE(model.ArmFault(kFaultTargets, 1));
    SetSmiTransport(previous);

    // The hot-key driver's requests.
    HotkeyEventBlock event{};
    ASSERT_EQ(model.PressHotkey(1, 1), KeyPress::Queued);
    ASSERT_TRUE(model.ArmFault(kFaultHotkeyGet, 1));
    EXPECT_FALSE(model.TakeHotkeyEvent(event));
    EXPECT_TRUE(model.TakeHotkeyEvent(event)) << "the key is still there after the failed request";
    ASSERT_TRUE(model.ArmFault(kFaultHotkeySetup, 1));
    EXPECT_FALSE(model.SetupHotkeys(HotkeySetupBlock{}));
    EXPECT_EQ(model.Hotkeys().setupCount, 0u);
    EXPECT_TRUE(model.SetupHotkeys(HotkeySetupBlock{}));
    ASSERT_TRUE(model.ArmFault(kFaultHotkeyRelease, 1));
    EXPECT_FALSE(model.ReleaseHotkeys());
    EXPECT_TRUE(model.ReleaseHotkeys());
    EXPECT_EQ(model.Hotkeys().releaseCount, 2u);
}

TEST_F(MachineModelTest, PowerSourceAnswerAndHeldBattery) {
    std::uint8_t source = 9, bh = 9, bl = 0, flags = 0, percent = 0;
    std::uint16_t dx = 0;
    model.state.externalPower = 0;
    ASSERT_TRUE(GetPowerSource(source));
    EXPECT_EQ(source, kBatteryPower) << "the factory answer follows the power";
    for (std::uint8_t answer : {std::uint8_t{1}, std::uint8_t{2}, std::uint8_t{0xFF}}) {
        model.state.powerSourceAnswer = answer;
        ASSERT_TRUE(GetPowerSource(source));
        EXPECT_EQ(source, answer);
        ASSERT_TRUE(wsbi_GetPowerSourceStatus(1, bh, bl, flags, percent, dx));
        EXPECT_EQ(bh, answer);
    }

    // Charging can be claimed on battery power; charge unknown is passed on.
    model.state.batteryFlags = kBatteryCharging | kBatteryChargeUnknown;
    ASSERT_TRUE(wsbi_GetPowerSourceStatus(1, bh, bl, flags, percent, dx));
    EXPECT_EQ(flags, kBatteryCharging | kBatteryChargeUnknown);

    model.state.batteryPercent = 50;
    model.state.batteryHeld = 1;
    model.AdvanceTime(kBatteryDrainMsPerPercent * 20);
    EXPECT_EQ(model.state.batteryPercent, 50) << "a held battery stays";
    model.state.batteryHeld = 0;
    model.AdvanceTime(kBatteryDrainMsPerPercent * 20);
    EXPECT_EQ(model.state.batteryPercent, 30);
}

// Every setting goes through a save and comes back; anything but an intact
// block of this version leaves the factory state and says so.
TEST(MachineModelPersistence, SaveAndRestoreRoundTripAndDamage) {
    static MachineModel model;
    model.ResetToFactory();
    // Every byte of the state changed (the battery's part-percent is time, not
    // kept); the fields with a range get other values within it.
    auto* bytes = reinterpret_cast<std::uint8_t*>(&model.state);
    for (std::uint32_t i = 0; i < sizeof model.state; ++i) bytes[i] = static_cast<std::uint8_t>(i * 7 + 3);
    MachineState& s = model.state;
    s.curDisplay = kDisplayBoth;
    s.monitorConnected = 1;
    s.sysPowerState = 2;
    s.powerMode[0] = kModeMaximumPerformance;
    s.powerMode[1] = kModeCustomized;
    s.powerMode[2] = kModeCustomized;
    s.externalPower = kBatteryPower;
    s.batteryPercent = 57;
    s.batteryHeld = 1;
    s.pciPinCount = 3;
    const std::uint8_t assigned[kPciPins] = {0, 1, 0, 1}, irqs[kPciPins] = {kPciNoIrq, 5, 15, 0};
    std::memcpy(s.pciIrqAssigned, assigned, sizeof assigned);
    std::memcpy(s.pciIrq, irqs, sizeof irqs);
    s.parallelPortMode = 0x3F;
    s.parallelPortDma = 2;
    s.memoryMegabytes = kMostMemoryMegabytes;
    s.reserved2 = 0;
    s.batteryMilliseconds = 0;
    ASSERT_TRUE(StateInRange(s));
    const std::uint8_t table[] = {0x7F, 0x04, 0x00, 0x00, 0, 0};
    ASSERT_TRUE(model.LoadSmbiosTable(table, sizeof table));
    ASSERT_TRUE(model.ArmFault(3, 2));
    static SavedMachine saved;
    model.Save(saved);
    const MachineState expected = model.state;

    static MachineModel restored;
    EXPECT_EQ(restored.Restore(reinterpret_cast<const std::uint8_t*>(&saved), sizeof saved), SavedSettings::Restored);
    EXPECT_EQ(std::memcmp(&restored.state, &expected, sizeof expected), 0);
    ASSERT_EQ(restored.SmbiosTableSize(), sizeof table);
    EXPECT_EQ(std::memcmp(restored.SmbiosTable(), table, sizeof table), 0);
    EXPECT_EQ(restored.ArmedFault(3), 2u) << "armed faults outlive a restart";
    static SavedMachine again;
    restored.Save(again);
    EXPECT_EQ(std::memcmp(&again, &saved, sizeof saved), 0) << "a save is the same bytes for the same settings";

    // Damage: truncated, lengthened, one bit anywhere, another version.
    const MachineState factory{};
    static std::uint8_t image[sizeof(SavedMachine) + 1];
    auto expectFactory = [&](std::uint32_t size, const char* what) {
        EXPECT_EQ(restored.Restore(image, size), SavedSettings::Damaged) << what;
        EXPECT_EQ(restored.Settings(), SavedSettings::Damaged) << what;
        EXPECT_EQ(std::memcmp(&restored.state, &factory, sizeof factory), 0) << what;
        EXPECT_EQ(restored.SmbiosTableSize(), sizeof kDefaultSmbiosTable) << what;
    };
    std::memcpy(image, &saved, sizeof saved);
    expectFactory(sizeof saved - 1, "truncated");
    expectFactory(100, "cut short");
    expectFactory(sizeof saved + 1, "longer");
    for (std::uint32_t at : {0u, 5u, 20u, 60u, 200u, std::uint32_t(sizeof saved - 1)}) {
        std::memcpy(image, &saved, sizeof saved);
        image[at] ^= 0x10;
        expectFactory(sizeof saved, "a flipped bit");
    }
    SavedMachine other = saved;
    other.version = kSavedMachineVersion + 1;
    other.checksum = SavedMachineChecksum(other);
    std::memcpy(image, &other, sizeof other);
    expectFactory(sizeof other, "another version");
    other = saved;
    other.smbiosSize = kSmbiosTableMax + 1;
    other.checksum = SavedMachineChecksum(other);
    std::memcpy(image, &other, sizeof other);
    expectFactory(sizeof other, "a table size beyond the buffer");
    EXPECT_EQ(restored.ArmedFault(3), 0u);

    EXPECT_EQ(restored.Restore(nullptr, 0), SavedSettings::Factory);
}

// A save whose checksum holds but whose values the machine cannot have (a
// save written by hand, or by a machine that kept other values) is damaged:
// each value of the table alone makes it so, at either end of its range.
TEST(MachineModelPersistence, ASaveWithAValueOutOfItsRangeIsDamaged) {
    struct Case {
        const char* what;
        void (*spoil)(MachineState&);
    } const cases[] = {
        {"display output beyond both", [](MachineState& s) { s.curDisplay = kDisplayBoth + 1; }},
        {"power mode beyond customized", [](MachineState& s) { s.powerMode[2] = kModeCustomized + 1; }},
        {"system power state 3", [](MachineState& s) { s.sysPowerState = 3; }},
        {"monitor flag 2", [](MachineState& s) { s.monitorConnected = 2; }},
        {"external power 2", [](MachineState& s) { s.externalPower = 2; }},
        {"battery at 101 %", [](MachineState& s) { s.batteryPercent = 101; }},
        {"battery held 2", [](MachineState& s) { s.batteryHeld = 2; }},
        {"five PCI pins", [](MachineState& s) { s.pciPinCount = kPciPins + 1; }},
        {"PCI assigned 2", [](MachineState& s) { s.pciIrqAssigned[3] = 2; }},
        {"PCI interrupt 16", [](MachineState& s) { s.pciIrq[0] = 16; }},
        {"parallel mode beyond six bits", [](MachineState& s) { s.parallelPortMode = 0x40; }},
        {"parallel DMA beyond two bits", [](MachineState& s) { s.parallelPortDma = 4; }},
        {"memory below the least", [](MachineState& s) { s.memoryMegabytes = kLeastMemoryMegabytes - 1; }},
        {"memory above the most", [](MachineState& s) { s.memoryMegabytes = kMostMemoryMegabytes + 1; }},
        {"reserved byte set", [](MachineState& s) { s.reserved2 = 1; }},
    };
    EXPECT_TRUE(StateInRange(MachineState{})) << "the factory state";
    static MachineModel model;
    static SavedMachine saved;
    for (const Case& c : cases) {
        model.ResetToFactory();
        model.state.batteryPercent = 40;  // a setting to lose
        c.spoil(model.state);
        EXPECT_FALSE(StateInRange(model.state)) << c.what;
        model.Save(saved);
        EXPECT_EQ(model.Restore(reinterpret_cast<const std::uint8_t*>(&saved), sizeof saved), SavedSettings::Damaged)
            << c.what;
        EXPECT_EQ(model.state.batteryPercent, 100) << c.what << ": the factory state";
    }
    // Written by hand: what a save of the machine never holds.
    struct Forged {
        const char* what;
        void (*forge)(SavedMachine&);
    } const forged[] = {
        {"release-fails 2", [](SavedMachine& m) { m.releaseFails = 2; }},
        {"battery time kept", [](SavedMachine& m) { m.state.batteryMilliseconds = 5; }},
    };
    for (const Forged& f : forged) {
        model.ResetToFactory();
        model.Save(saved);
        f.forge(saved);
        saved.checksum = SavedMachineChecksum(saved);
        EXPECT_EQ(model.Restore(reinterpret_cast<const std::uint8_t*>(&saved), sizeof saved), SavedSettings::Damaged)
            << f.what;
    }
    MachineState running{};
    running.batteryMilliseconds = kBatteryDrainMsPerPercent;
    EXPECT_FALSE(StateInRange(running)) << "a whole percent of battery time not yet counted";
}

// What the machine says of its saved settings follows the saves it is told
// of: damaged until a save is written, not saved from a failed write on, with
// the failure's status, until one is written again.
TEST(MachineModelPersistence, SavesWrittenOrFailedChangeWhatTheMachineSays) {
    static MachineModel model;
    const std::uint8_t garbage[7] = {1, 2, 3, 4, 5, 6, 7};
    ASSERT_EQ(model.Restore(garbage, sizeof garbage), SavedSettings::Damaged);
    model.SaveWritten();
    EXPECT_EQ(model.Settings(), SavedSettings::Saved) << "damaged clears once a save is written";
    EXPECT_EQ(model.SaveFailure(), 0u);
    model.SaveFailed(0xC0000022u);
    EXPECT_EQ(model.Settings(), SavedSettings::NotSaved);
    EXPECT_EQ(model.SaveFailure(), 0xC0000022u);
    model.SaveWritten();
    EXPECT_EQ(model.Settings(), SavedSettings::Saved);
    EXPECT_EQ(model.SaveFailure(), 0u);
    model.SaveFailed(0xC00000BAu);
    model.ResetToFactory();
    EXPECT_EQ(model.Settings(), SavedSettings::Factory) << "until the reset's own save is tried";
    EXPECT_EQ(model.SaveFailure(), 0u);
}

TEST(MachineModelSmbios, TableIsReplaceableWithinTheReplyBuffer) {
    MachineModel model;
    EXPECT_EQ(model.SmbiosTableSize(), sizeof kDefaultSmbiosTable);
    EXPECT_EQ(model.SmbiosTable()[0], 0) << "the table starts with the BIOS structure";
    const std::uint8_t table[] = {0x7F, 0x04, 0x00, 0x00, 0, 0};
    ASSERT_TRUE(model.LoadSmbiosTable(table, sizeof table));
    EXPECT_EQ(model.SmbiosTableSize(), sizeof table);
    EXPECT_EQ(model.SmbiosTable()[0], 0x7F);
    static std::uint8_t too_long[kSmbiosTableMax + 1];
    EXPECT_FALSE(model.LoadSmbiosTable(too_long, sizeof too_long));
    EXPECT_FALSE(model.LoadSmbiosTable(table, 0));
    EXPECT_EQ(model.SmbiosTableSize(), sizeof table);
}

}  // namespace
