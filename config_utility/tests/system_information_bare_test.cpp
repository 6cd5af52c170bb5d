// The System Information page on a machine without the DMI proxy driver: one
// message, and the placeholders stay.
#include <gtest/gtest.h>

#include <windows.h>

#include "config_utility/pages/page_commands.h"
#include "config_utility/tests/merovant_test_fixture.h"
#include "config_utility/tests/page_script.h"
#include "resources/merovant/resource.h"

namespace {

TEST(SystemInformationWithoutDriver, ShowsTheMessageAndThePlaceholders) {
    RecordingShell shell;
    MerovantContext context{GetModuleHandleA(nullptr), shell, {}, {}};
    PageScript script;
    std::vector<std::string> values;
    script.Then([&](HWND dialog) {
        for (int value : {IDC_BIOS_VERSION_VALUE, IDC_SYSTEM_UNIT_SERIAL_VALUE, IDC_SYSTEM_BOARD_SERIAL_VALUE,
                          IDC_MACHINE_MODEL_VALUE})
            values.push_back(WindowText(GetDlgItem(dialog, value)));
        Click(dialog, IDOK);
    });
    ASSERT_TRUE(OpenPage(context, kPageSystemInformation));
    EXPECT_EQ(shell.messages, std::vector<std::string>{"DMI Tables Not found !!!"});
    EXPECT_EQ(values, std::vector<std::string>(4, "*****"));
}

}  // namespace
