// With the platform's own transport and no driver present (there is none
// outside Windows, and none in a Wine prefix without the virtual notebook),
// the channel does not open and every operation of the catalogue fails
// without writing. Under Wine this program runs in a prefix of its own,
// without the virtual notebook: the one place where the table meets the
// Windows transport rather than a test's.
#include <gtest/gtest.h>

#include "machine_control/core/smi_channel.h"
#include "machine_control/tests/operation_table.h"

TEST(WithoutDriver, EveryOperationFailsAndWritesNothing) {
    for (const Operation& op : kCatalogue) {
        SCOPED_TRACE(op.name);
        EXPECT_FALSE(OpenMachineControl());
        Bool32 result = 1;
        EXPECT_EQ(op.call(result), Untouched(op));
        EXPECT_FALSE(result);
        EXPECT_FALSE(CloseMachineControl());
    }
}
