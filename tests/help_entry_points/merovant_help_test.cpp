// merovant's help end to end: What's This and F1 on a page, F1 and Online
// Help in the main window, the HELP switch without a help file, a reader that
// does not take the request.
#include "resources/merovant/resource.h"
#include "tests/help_entry_points/help_entry_points_fixture.h"

namespace {

TEST_F(HELP_ENTRY_POINTS, WhatsThisAndF1OnAMerovantPageShowTheControlsTopic) {
    HelpReaderStandIn reader;
    ASSERT_TRUE(reader.running());
    HWND page = StartDialog("merovant.exe", "/3");  // the Infrared page alone
    ASSERT_NE(page, nullptr);
    ASSERT_TRUE(WhatsThisByMouse(GetDlgItem(page, IDC_INFRARED_ENABLE)));
    ASSERT_TRUE(reader.WaitForRequests(1));
    F1On(page, GetDlgItem(page, IDC_INFRARED_DISABLE));
    ASSERT_TRUE(reader.WaitForRequests(2));
    PostMessageA(page, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(Ended(program_, 10000));

    reader.Close();
    const std::vector<HelpReaderStandIn::Request> requests = reader.Requests();
    ASSERT_EQ(requests.size(), 2u);
    ExpectTopic(requests[0], HELP_CONTEXTPOPUP, 0x50000 + IDC_INFRARED_ENABLE, merovantHelp, "merovant");
    ExpectTopic(requests[1], HELP_CONTEXTPOPUP, 0x50000 + IDC_INFRARED_DISABLE, merovantHelp, "merovant");
}

TEST_F(HELP_ENTRY_POINTS, F1InMerovantsMainWindowOpensTheContents) {
    HelpReaderStandIn reader;
    ASSERT_TRUE(reader.running());
    HWND window = StartMainWindow();
    ASSERT_NE(window, nullptr);
    SetForegroundWindow(window);
    ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == window; }, 5000));
    PressF1();
    ASSERT_TRUE(reader.WaitForRequests(1));

    reader.Close();
    ExpectTopic(reader.Requests()[0], HELP_CONTEXT, HELP_CONTEXT_MAIN_WINDOW, merovantHelp, "merovant");
}

TEST_F(HELP_ENTRY_POINTS, MerovantsOnlineHelpOpensItsContentsInWinesReader) {
    HWND window = StartMainWindow();
    ASSERT_NE(window, nullptr);
    PostMessageA(window, WM_COMMAND, ID_HELP_MAIN_WINDOW, 0);  // the toolbar's and the menu's Help
    EXPECT_TRUE(HelpShows(false, SourceTopicText(HelpSourceOf("merovant"), HELP_CONTEXT_MAIN_WINDOW)))
        << "Wine's reader shows: " << TopicText(HelpWindow(false));
    ExpectNoMessages();
}

TEST_F(HELP_ENTRY_POINTS, TheHelpSwitchSaysWhyWhenHelpPathNamesNoFileThatIsThere) {
    const std::string absent = PathBesideProgram("absent.hlp");
    std::string notFound = ProgramString("merovant.exe", IDS_HELP_NOT_FOUND);
    notFound.replace(notFound.find("%s"), 2, absent);
    struct Case {
        const char* value;  // nullptr: no HelpPath
        std::string message;
    };
    const Case cases[] = {
        {nullptr, ProgramString("merovant.exe", IDS_HELP_NOT_SET_UP)},
        {"", ProgramString("merovant.exe", IDS_HELP_NOT_SET_UP)},
        {absent.c_str(), notFound},
    };
    for (const Case& c : cases) {
        if (c.value != nullptr) values.Set("HelpPath", c.value);
        else values.Remove("HelpPath");
        ASSERT_TRUE(StartDialog("merovant.exe", "/HELP") != nullptr) << "no message";
        EXPECT_EQ(MessageOf(program_), c.message);
        DWORD code = 99;
        EXPECT_TRUE(Ended(program_, 10000, &code));
        EXPECT_EQ(code, 0u);
        EXPECT_FALSE(HelpReaderRuns()) << "the reader was asked";
    }
}

TEST_F(HELP_ENTRY_POINTS, AReaderThatDoesNotTakeTheRequestIsAskedTwiceThenTheProgramSaysSo) {
    HelpReaderStandIn reader(false);
    ASSERT_TRUE(reader.running());
    values.Set("HelpPath", merovantHelp.path());
    ASSERT_NE(StartDialog("merovant.exe", "/HELP"), nullptr);
    EXPECT_EQ(MessageOf(program_), ProgramString("merovant.exe", IDS_HELP_NOT_OPENED));
    const std::vector<HelpReaderStandIn::Request> requests = reader.Requests();
    ASSERT_EQ(requests.size(), 2u);
    for (const HelpReaderStandIn::Request& request : requests) {
        EXPECT_EQ(request.command, static_cast<UINT>(HELP_CONTEXT));
        EXPECT_EQ(request.data, static_cast<DWORD>(HELP_CONTEXT_MAIN_WINDOW));
        EXPECT_EQ(request.file, merovantHelp.path());
    }
}

}  // namespace
