// The polling ticks over the virtual notebook's model.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "fuel_gauge/core/fuel_polling.h"
#include "machine_control/core/smi_channel.h"
#include "resources/fuel/resource.h"
#include "simulator/model/machine_model.h"
#include "simulator/model/model_transport.h"

namespace {

// The model's answers, with extra status flags ORed into the battery's and
// chosen requests failing; it keeps the requests it was given.
class BatteryTransport final : public SmiTransport {
public:
    explicit BatteryTransport(MachineModel& model) : inner_(model) { previous_ = SetSmiTransport(this); }
    ~BatteryTransport() { SetSmiTransport(previous_); }
    Bool32 Open() override { return inner_.Open(); }
    Bool32 Close() override { return inner_.Close(); }
    Bool32 Exchange(const SmiRequest& request, SmiRequest& reply) override {
        ++exchanges;
        sent.push_back(request);
        if (failAll || failing.contains(request.Ebx)) return 0;
        if (!inner_.Exchange(request, reply)) return 0;
        if (request.Eax == kSmiFunctionPower && request.Ebx == 0x0027) reply.Ecx |= extraFlags << 8;
        return 1;
    }
    std::uint32_t extraFlags = 0;
    bool failAll = false;
    std::set<std::uint32_t> failing;  // by operation (EBX)
    int exchanges = 0;
    std::vector<SmiRequest> sent;

private:
    ModelTransport inner_;
    SmiTransport* previous_ = nullptr;
};

class FuelPolling : public testing::Test {
protected:
    MachineModel model;
    BatteryTransport transport{model};
    FuelStatus status;
};

TEST_F(FuelPolling, FirstTickReadsEverythingAndShowsTheModeOfTheSource) {
    model.state.externalPower = 0;
    model.state.batteryPercent = 37;
    model.state.powerMode[2] = 1;
    const FuelTick tick = PollFuel(status, kFuelFastTimer);
    EXPECT_TRUE(tick.windowPart) << "refresh pending at start";
    EXPECT_EQ(tick.picture, IDB_FUEL_LEVEL4);
    EXPECT_EQ(tick.windowPercent, 37);
    ASSERT_TRUE(tick.trayUpdate);
    EXPECT_EQ(tick.modeIcon, IDI_FUEL_BATTERY_LIFE);
    EXPECT_EQ(tick.tooltipPrefix, IDS_FUEL_TIP_BATTERY_LIFE);
    EXPECT_EQ(tick.trayIcon, IDI_FUEL_TRAY_LEVEL2);
    EXPECT_FALSE(tick.suffixUnknown);
    EXPECT_EQ(tick.suffixPercent, 37);
    EXPECT_EQ(status.source, kFuelSourceBattery);
    EXPECT_EQ(status.mode, 1);
    EXPECT_EQ(status.level, 4);
    EXPECT_FALSE(status.refreshPending);

    const FuelTick again = PollFuel(status, kFuelFastTimer);
    EXPECT_FALSE(again.windowPart) << "the picture waits for the slow timer";
    EXPECT_FALSE(again.trayUpdate) << "nothing changed";
}

TEST_F(FuelPolling, UnknownChargeShowsTheDashedOutlineAndUnknownSuffix) {
    model.state.externalPower = 0;
    model.state.batteryPercent = 50;
    model.state.batteryFlags = 0x90;
    const FuelTick tick = PollFuel(status, kFuelSlowTimer);
    EXPECT_TRUE(tick.windowPart);
    EXPECT_TRUE(tick.chargeUnknown);
    EXPECT_EQ(tick.picture, IDB_FUEL_UNKNOWN);
    ASSERT_TRUE(tick.trayUpdate);
    EXPECT_TRUE(tick.suffixUnknown);
}

TEST_F(FuelPolling, FlagsAloneChangeThePictureButNotTheTray) {
    model.state.externalPower = 0;
    model.state.batteryPercent = 60;
    PollFuel(status, kFuelFastTimer);
    for (std::uint32_t flags : {0x08u, 0x10u, 0x80u}) {
        transport.extraFlags = flags;
        EXPECT_FALSE(PollFuel(status, kFuelFastTimer).trayUpdate) << flags;
        const FuelTick slow = PollFuel(status, kFuelSlowTimer);
        EXPECT_TRUE(slow.windowPart);
        EXPECT_EQ(slow.picture, flags == 0x08u ? IDB_FUEL_CHARGING6 : IDB_FUEL_UNKNOWN) << flags;
        EXPECT_FALSE(slow.trayUpdate) << flags;
    }
}

TEST_F(FuelPolling, PluggingInIsSeenByTheNextFastTickWhichAlsoRefreshesThePicture) {
    model.state.externalPower = 0;
    model.state.batteryPercent = 80;
    PollFuel(status, kFuelFastTimer);
    model.state.externalPower = 1;
    const FuelTick tick = PollFuel(status, kFuelFastTimer);
    EXPECT_EQ(status.source, kFuelSourceAc);
    EXPECT_TRUE(tick.windowPart);
    EXPECT_EQ(tick.picture, IDB_FUEL_CHARGING8);
    ASSERT_TRUE(tick.trayUpdate);
    EXPECT_EQ(tick.trayIcon, IDI_FUEL_PROGRAM);
    EXPECT_EQ(tick.modeIcon, ModeIconFor(kFuelSourceAc, model.state.powerMode[1]));
}

TEST_F(FuelPolling, PercentChangeAloneUpdatesTheTrayButNotThePictureBeforeTheSlowTick) {
    model.state.externalPower = 0;
    model.state.batteryPercent = 31;
    PollFuel(status, kFuelFastTimer);
    model.state.batteryPercent = 30;
    const FuelTick tick = PollFuel(status, kFuelFastTimer);
    EXPECT_FALSE(tick.windowPart);
    ASSERT_TRUE(tick.trayUpdate);
    EXPECT_EQ(tick.trayIcon, IDI_FUEL_TRAY_LEVEL1);
    EXPECT_EQ(tick.suffixPercent, 30);
    EXPECT_EQ(status.level, 4) << "the level follows the window part only";
}

TEST_F(FuelPolling, NonZeroSystemModeSkipsTheTrayPart) {
    model.state.systemMode = 1;
    status.systemMode = 1;
    const FuelTick tick = PollFuel(status, kFuelFastTimer);
    EXPECT_TRUE(tick.windowPart);
    EXPECT_FALSE(tick.trayUpdate);
    EXPECT_EQ(status.mode, kFuelModeNone) << "the power mode is never read";
}

TEST_F(FuelPolling, WithoutADriverTheStartValuesStay) {
    transport.failAll = true;
    const FuelTick tick = PollFuel(status, kFuelSlowTimer);
    EXPECT_TRUE(tick.windowPart);
    EXPECT_EQ(tick.windowPercent, 100);
    EXPECT_EQ(tick.picture, IDB_FUEL_LEVEL10);
    EXPECT_FALSE(tick.trayUpdate);
    EXPECT_EQ(status.source, kFuelSourceUnknown);
}

// Neither the power source nor the battery answers, so the source stays
// unknown: no power-mode set is the one in force, and none is asked (the
// selector 0 would read the customized set's mode as the source's). The next
// tick that knows the source shows its own mode.
TEST_F(FuelPolling, AnUnknownSourceAsksForNoPowerMode) {
    model.state.externalPower = 1;
    model.state.powerMode[0] = 2;
    model.state.powerMode[1] = 1;
    transport.failing = {0x0020, 0x0027};
    for (unsigned timer : {kFuelFastTimer, kFuelSlowTimer}) EXPECT_FALSE(PollFuel(status, timer).trayUpdate);
    for (const SmiRequest& request : transport.sent) EXPECT_NE(request.Ebx, 0x0016u) << "GetPowerMode asked";
    EXPECT_EQ(status.mode, kFuelModeNone);

    transport.failing = {0x0027};
    const FuelTick tick = PollFuel(status, kFuelFastTimer);
    ASSERT_TRUE(tick.trayUpdate);
    EXPECT_EQ(tick.modeIcon, IDI_FUEL_AC_LIFE);
}

TEST_F(FuelPolling, ChargeForTheTrayAfterASwitchLeavesTheStatus) {
    model.state.batteryPercent = 42;
    model.state.batteryFlags = 0x10;
    const FuelCharge charge = ReadChargeForTray(status);
    EXPECT_EQ(charge.percent, 42);
    EXPECT_TRUE(charge.unknown);
    EXPECT_EQ(status.percent, 100);
    transport.failAll = true;
    const FuelCharge failed = ReadChargeForTray(status);
    EXPECT_EQ(failed.percent, 100);
    EXPECT_FALSE(failed.unknown);
}

}  // namespace
