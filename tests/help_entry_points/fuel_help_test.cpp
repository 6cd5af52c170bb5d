// fuel's Help... end to end, in Wine's own reader.
#include "resources/fuel/resource.h"
#include "tests/help_entry_points/help_entry_points_fixture.h"

namespace {

TEST_F(HELP_ENTRY_POINTS, FuelsHelpOpensItsContentsInWinesReader) {
    values.Set("FuelHelp", fuelHelp.path());
    HWND gauge = StartDialog("fuel.exe");
    ASSERT_NE(gauge, nullptr);
    PostMessageA(gauge, WM_COMMAND, ID_FUEL_HELP, 0);  // Help... of the tray menu
    EXPECT_TRUE(HelpShows(false, SourceContentsText(HelpSourceOf("fuel"))))
        << "Wine's reader shows: " << TopicText(HelpWindow(false));
    ExpectNoMessages(gauge);
}

}  // namespace
