// The tests that run on the virtual notebook's driver: the machine's state as
// the test found it is put back when it ends.
#pragma once

#include <gtest/gtest.h>

#include "simulator/machinesim/control_device.h"

class VirtualNotebookTest : public testing::Test {
protected:
    // Opens the driver's control device and keeps the machine's state.
    void SetUp() override;
    // Puts the kept state back.
    void TearDown() override;

    // The machine's state changed by change.
    void SetMachine(void (*change)(MachineState&));

    ControlDevice control;

private:
    MachineState saved_;
};
