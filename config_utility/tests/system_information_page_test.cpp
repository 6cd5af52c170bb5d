// The System Information page on the virtual notebook's DMI proxy: the values
// of its table, and the placeholders when the table gives none.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "config_utility/pages/page_commands.h"
#include "config_utility/tests/merovant_test_fixture.h"
#include "config_utility/tests/page_script.h"
#include "resources/merovant/resource.h"
#include "simulator/machinesim/control_device.h"
#include "simulator/model/smbios_table.h"

namespace {

struct Shown {
    std::string caption, bios, unit, board, model, ok;
};

// Opens the page as switch 14 does and reads what it shows.
Shown OpenSystemInformation(MerovantContext& context, PageScript& script) {
    Shown shown;
    script.Then([&](HWND dialog) {
        shown = {WindowText(dialog),
                 WindowText(GetDlgItem(dialog, IDC_BIOS_VERSION_VALUE)),
                 WindowText(GetDlgItem(dialog, IDC_SYSTEM_UNIT_SERIAL_VALUE)),
                 WindowText(GetDlgItem(dialog, IDC_SYSTEM_BOARD_SERIAL_VALUE)),
                 WindowText(GetDlgItem(dialog, IDC_MACHINE_MODEL_VALUE)),
                 WindowText(GetDlgItem(dialog, IDOK))};
        EXPECT_EQ(WindowText(GetDlgItem(dialog, IDC_BIOS_VERSION)), "BIOS version");
        EXPECT_EQ(WindowText(GetDlgItem(dialog, IDC_MACHINE_MODEL)), "Machine type Model");
        EXPECT_EQ(GetDlgItem(dialog, IDCANCEL), nullptr) << "OK only";
        Click(dialog, IDOK);
    });
    EXPECT_TRUE(OpenPage(context, kPageSystemInformation));
    return shown;
}

class SystemInformationPageTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(control.Open()) << "the virtual notebook's driver is not running"; }
    void TearDown() override {
        control.LoadSmbiosTable(kDefaultSmbiosTable, sizeof kDefaultSmbiosTable);
    }

    ControlDevice control;
    RecordingShell shell;
    MerovantContext context{GetModuleHandleA(nullptr), shell, {}, {}};
    PageScript script;
};

TEST_F(SystemInformationPageTest, ShowsTheValuesOfTheMachinesTable) {
    const Shown shown = OpenSystemInformation(context, script);
    EXPECT_EQ(shown.caption, "System Information");
    EXPECT_EQ(shown.bios, "V1.20");
    EXPECT_EQ(shown.unit, "SU98042179");
    EXPECT_EQ(shown.board, "BD98113069");
    EXPECT_EQ(shown.model, "Notebook 510CT");
    EXPECT_EQ(shown.ok, "OK");
    EXPECT_EQ(shell.messages, std::vector<std::string>{});
}

TEST_F(SystemInformationPageTest, TableWithoutBoardKeepsThePlaceholders) {
    // Types 0 and 1 of the machine's table, then its end: no type 2.
    const std::uint8_t table[] = {
        0x00, 0x06, 0x00, 0x00, 0x01, 0x01, 'V', '9', 0, 0,
        0x01, 0x08, 0x01, 0x00, 0x01, 0x01, 0x00, 0x01, 'M', 0, 0,
        0x7F, 0x04, 0x02, 0x00, 0, 0,
    };
    ASSERT_TRUE(control.LoadSmbiosTable(table, sizeof table));
    const Shown shown = OpenSystemInformation(context, script);
    for (const std::string& value : {shown.bios, shown.unit, shown.board, shown.model}) EXPECT_EQ(value, "*****");
    EXPECT_EQ(shell.messages, std::vector<std::string>{}) << "the table was there";
}

}  // namespace
