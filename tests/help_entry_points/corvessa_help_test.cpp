// Corvessa's help end to end: "What is this?" and F1 on the Power Management
// sheet, on a control of the page and on the sheet's own button.
#include "resources/corvessa/resource.h"
#include "tests/help_entry_points/help_entry_points_fixture.h"
#include "tests/support/property_sheet.h"

namespace {

constexpr int kPowerModePage = 2;  // the third tab

TEST_F(HELP_ENTRY_POINTS, WhatIsThisAndF1OnCorvessasSheetShowTheTopicOfTheControlOrThePage) {
    HelpReaderStandIn reader;
    ASSERT_TRUE(reader.running());
    HWND sheet = StartDialog("Corvessa.exe");
    ASSERT_NE(sheet, nullptr);
    HWND page = ShownSheetPage(sheet, kPowerModePage);
    ASSERT_NE(page, nullptr);
    ASSERT_TRUE(WhatsThisByMouse(GetDlgItem(page, IDC_CDROM_SPEED)));
    ASSERT_TRUE(reader.WaitForRequests(1));
    F1On(sheet, GetDlgItem(page, IDC_MODE_CUSTOMIZED));
    ASSERT_TRUE(reader.WaitForRequests(2));
    F1On(sheet, GetDlgItem(sheet, IDOK));  // the sheet's own button: the page's topic
    ASSERT_TRUE(reader.WaitForRequests(3));
    PostMessageA(sheet, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(Ended(program_, 10000));

    reader.Close();
    const std::vector<HelpReaderStandIn::Request> requests = reader.Requests();
    ASSERT_EQ(requests.size(), 3u);
    ExpectTopic(requests[0], HELP_CONTEXTPOPUP, 0x50421, corvessaHelp, "corvessa");
    ExpectTopic(requests[1], HELP_CONTEXTPOPUP, 0x50000 + IDC_MODE_CUSTOMIZED, corvessaHelp, "corvessa");
    ExpectTopic(requests[2], HELP_CONTEXTPOPUP, 0x20000 + IDD_POWER_MODE, corvessaHelp, "corvessa");
}

}  // namespace
