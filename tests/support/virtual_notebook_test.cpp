#include "tests/support/virtual_notebook_test.h"

void VirtualNotebookTest::SetUp() {
    ASSERT_TRUE(control.Open()) << "the virtual notebook's driver is not running in this prefix";
    ASSERT_TRUE(control.GetState(saved_));
}

void VirtualNotebookTest::TearDown() { control.SetState(saved_); }

void VirtualNotebookTest::SetMachine(void (*change)(MachineState&)) {
    MachineState state;
    ASSERT_TRUE(control.GetState(state));
    change(state);
    ASSERT_TRUE(control.SetState(state));
}
