// The driver's one machine and its saves, as the kernel side drives them:
// after each request it takes the block to write, writes it and tells how
// that went.
#include <gtest/gtest.h>

#include <cstring>

#include "simulator/driver/notebook_service.h"
#include "simulator/model/control_protocol.h"

namespace {

ControlStatus Status() {
    ControlStatus status{};
    const NotebookAnswer answer = NotebookServe(NOTEBOOK_CONTROL, kCtlGetStatus, &status, 0, sizeof status);
    EXPECT_EQ(answer.result, unsigned(NOTEBOOK_DONE));
    return status;
}

void SetBattery(std::uint8_t percent) {
    MachineState state{};
    ASSERT_EQ(NotebookServe(NOTEBOOK_CONTROL, kCtlGetState, &state, 0, sizeof state).result, unsigned(NOTEBOOK_DONE));
    state.batteryPercent = percent;
    ASSERT_EQ(NotebookServe(NOTEBOOK_CONTROL, kCtlSetState, &state, sizeof state, 0).result, unsigned(NOTEBOOK_DONE));
}

// The block the driver would write now, if any.
bool Pending(SavedMachine& block) {
    const void* bytes = nullptr;
    unsigned size = 0;
    if (!NotebookTakeChangedSave(&bytes, &size)) return false;
    EXPECT_EQ(size, sizeof block);
    std::memcpy(&block, bytes, sizeof block);
    return true;
}

TEST(NotebookService, AFailedSaveStaysPendingUntilAWriteSucceeds) {
    constexpr unsigned kAccessDenied = 0xC0000022u;
    NotebookRestore(nullptr, 0);
    SavedMachine block;
    EXPECT_FALSE(Pending(block)) << "the factory state found at start needs no save";
    EXPECT_EQ(Status().settings, unsigned(SavedSettings::Factory));

    SetBattery(40);
    ASSERT_TRUE(Pending(block));
    EXPECT_EQ(block.state.batteryPercent, 40);
    NotebookSaveWritten(kAccessDenied);
    ControlStatus status = Status();
    EXPECT_EQ(status.settings, unsigned(SavedSettings::NotSaved));
    EXPECT_EQ(status.saveFailure, kAccessDenied);

    // The next request changes nothing, yet the change is still to be saved.
    ASSERT_TRUE(Pending(block)) << "a failed save is not forgotten";
    NotebookSaveWritten(kAccessDenied);
    SetBattery(30);
    ASSERT_TRUE(Pending(block));
    EXPECT_EQ(block.state.batteryPercent, 30) << "the settings in effect, both changes";
    NotebookSaveWritten(0);
    status = Status();
    EXPECT_EQ(status.settings, unsigned(SavedSettings::Saved));
    EXPECT_EQ(status.saveFailure, 0u);
    EXPECT_FALSE(Pending(block));

    // A reset is saved even when nothing differs from the factory state.
    SetBattery(100);
    ASSERT_TRUE(Pending(block));
    NotebookSaveWritten(0);
    ASSERT_EQ(NotebookServe(NOTEBOOK_CONTROL, kCtlReset, nullptr, 0, 0).result, unsigned(NOTEBOOK_DONE));
    EXPECT_TRUE(Pending(block));
}

TEST(NotebookService, DamagedAtStartClearsOnceAChangeIsSaved) {
    const unsigned char damaged[3] = {1, 2, 3};
    NotebookRestore(damaged, sizeof damaged);
    EXPECT_EQ(Status().settings, unsigned(SavedSettings::Damaged));
    SavedMachine block;
    EXPECT_FALSE(Pending(block));
    SetBattery(55);
    ASSERT_TRUE(Pending(block));
    EXPECT_EQ(Status().settings, unsigned(SavedSettings::Damaged)) << "until the write is done";
    NotebookSaveWritten(0);
    EXPECT_EQ(Status().settings, unsigned(SavedSettings::Saved));

    // What was written is restored at the next start.
    NotebookRestore(&block, sizeof block);
    EXPECT_EQ(Status().settings, unsigned(SavedSettings::Restored));
    MachineState state{};
    NotebookServe(NOTEBOOK_CONTROL, kCtlGetState, &state, 0, sizeof state);
    EXPECT_EQ(state.batteryPercent, 55);
}

}  // namespace
