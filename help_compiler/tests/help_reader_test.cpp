// Wine's own help reader, winhlp32, opening help files that hlpc made the way
// the suite's programs open theirs: WinHelpA with HELP_CONTEXT and
// HELP_CONTENTS, then a user's clicks on hot spots and on the Index button.
// The reader draws each topic into a rich edit control (child 0x701 of its
// window); its text, asked for in Unicode, is what the user reads
// (tests/support/help_reader.h).
//
// It is built twice: for the English help_reader_1033.hlp, run in an English
// locale, and for the Japanese help_reader_1041.hlp (HELP_READER_JAPANESE),
// run in a Japanese one, whose code page, 932, the reader's text then comes
// in. The files lie beside the test; their sources are fixtures/reader_*.txt.
//
// Wine's reader takes HELP_CONTEXTPOPUP but shows nothing for it (its
// PopupContext is a stub), so popups are opened here the other way the reader
// knows: a popup jump in a topic.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/support/help_reader.h"
#include "tests/support/wait_for.h"

namespace {

// The rich edit control of a help window, and the window of its buttons.
constexpr int kTopicText = 0x701;
constexpr int kButtonBox = 0x700;

struct ReaderFixture {
    const char* file;
    std::wstring contents, battery, popup;
    std::wstring popupJump, topicJump;  // hot spot texts in the contents
    std::vector<std::wstring> keywords;
};

const ReaderFixture kEnglish{
    "help_reader_1033.hlp",
    L"Fixture Contents\n"
    L"What the Enable button does\n"
    L"Battery settings\n"
    L"This file shows what the help compiler writes: a contents topic, topics with headings and jumps, popup "
    L"topics and keywords.",
    L"Battery Settings\n"
    L"When to change them\n"
    L"Change the battery settings when the notebook runs on battery for a long time. Caf\u00e9 prices are not "
    L"battery settings.\n"
    L"Back to the contents",
    L"Turns the device on. The notebook then uses a little more power.",
    L"What the Enable button does",
    L"Battery settings",
    {L"battery", L"contents", L"overview"},
};

const ReaderFixture kJapanese{
    "help_reader_1041.hlp",
    L"目次\n"
    L"[有効] ボタンの働き\n"
    L"バッテリの設定\n"
    L"このファイルは、ヘルプ コンパイラが書き出すものを示します。",
    L"バッテリの設定\n"
    L"変更する時期\n"
    L"ノートブックを長い時間バッテリで使うときに、バッテリの設定を変更します。\n"
    L"目次に戻る",
    L"デバイスをオンにします。ノートブックの消費電力が少し増えます。",
    L"[有効] ボタンの働き",
    L"バッテリの設定",
    {L"バッテリ", L"目次"},
};

#ifdef HELP_READER_JAPANESE
const ReaderFixture& Fixture() { return kJapanese; }
constexpr UINT kCodePage = 932;
#define HELP_READER JapaneseHelpReader
#else
const ReaderFixture& Fixture() { return kEnglish; }
constexpr UINT kCodePage = 1252;
#define HELP_READER EnglishHelpReader
#endif

// A click on a character of the main window's topic, counted as its rich
// edit control counts them (a paragraph's end is one).
void ClickCharacter(size_t character) {
    HWND topic = GetDlgItem(HelpWindow(false), kTopicText);
    const LRESULT position = SendMessageW(topic, EM_POSFROMCHAR, character, 0);
    const LPARAM point = MAKELPARAM(static_cast<short>(LOWORD(position)) + 3, static_cast<short>(HIWORD(position)) + 3);
    PostMessageW(topic, WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageW(topic, WM_LBUTTONUP, 0, point);
}

// A click on a hot spot of the main window's topic. The reader places a hot
// spot at the count of code page bytes before it, a paragraph's end counting
// one; in code page 1252 that is its first character, in 932 a later one.
void ClickHotSpot(const std::wstring& hotSpot) {
    const std::wstring text = TopicText(HelpWindow(false));
    const size_t at = text.find(hotSpot);
    ASSERT_NE(at, std::wstring::npos) << "no hot spot in the topic";
    const int bytes = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(at), nullptr, 0, nullptr, nullptr);
    ASSERT_LT(static_cast<size_t>(bytes), text.size()) << "the reader's hot spot lies past the topic's text";
    ClickCharacter(static_cast<size_t>(bytes));
}

class HELP_READER : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(GetACP(), kCodePage) << "the locale's code page (LC_ALL) is another";
        char path[MAX_PATH];
        GetModuleFileNameA(nullptr, path, MAX_PATH);
        file_ = path;
        file_ = file_.substr(0, file_.find_last_of('\\') + 1) + Fixture().file;
        ASSERT_NE(GetFileAttributesA(file_.c_str()), INVALID_FILE_ATTRIBUTES) << file_;
        EndHelpReaders();
    }
    void TearDown() override {
        WinHelpA(nullptr, file_.c_str(), HELP_QUIT, 0);
        EXPECT_TRUE(WaitFor([] { return !HelpReaderRuns(); })) << "the help reader runs on after HELP_QUIT";
        EndHelpReaders();
    }

    // Wine's WinHelpA starts the reader when none runs and looks for its
    // window at once; while the reader is still starting, the call fails and
    // a later one succeeds.
    bool Open(UINT command, DWORD context) {
        return WaitFor([&] { return WinHelpA(nullptr, file_.c_str(), command, context) != FALSE; }, 20000);
    }

    std::string file_;
};

TEST_F(HELP_READER, HelpContextOpensTheTopicOfEachContextNumber) {
    const ReaderFixture& fixture = Fixture();
    const std::pair<DWORD, const std::wstring*> rows[] = {
        {0x20081, &fixture.battery}, {0x20080, &fixture.contents}, {0x50401, &fixture.popup}, {0x50402, &fixture.popup}};
    for (const auto& [context, text] : rows) {
        ASSERT_TRUE(Open(HELP_CONTEXT, context)) << std::hex << context;
        EXPECT_TRUE(HelpShows(false, *text)) << std::hex << context << " shows: " << TopicText(HelpWindow(false));
    }
}

TEST_F(HELP_READER, HelpContentsOpensTheContentsTopic) {
    ASSERT_TRUE(Open(HELP_CONTEXT, 0x20081));
    ASSERT_TRUE(HelpShows(false, Fixture().battery));
    ASSERT_TRUE(Open(HELP_CONTENTS, 0));
    EXPECT_TRUE(HelpShows(false, Fixture().contents));
}

TEST_F(HELP_READER, HotSpotsOpenAPopupAndATopic) {
    ASSERT_TRUE(Open(HELP_CONTEXT, 0x20080));
    ASSERT_TRUE(HelpShows(false, Fixture().contents));

    ClickHotSpot(Fixture().popupJump);
    ASSERT_TRUE(HelpShows(true, Fixture().popup)) << "the popup shows: " << TopicText(HelpWindow(true));
    EXPECT_EQ(TopicText(HelpWindow(false)), Fixture().contents) << "the main window keeps its topic";

    // A click on the title closes the popup.
    ClickCharacter(0);
    ASSERT_TRUE(WaitFor([] { return HelpWindow(true) == nullptr; })) << "the popup stays open";

    ClickHotSpot(Fixture().topicJump);
    EXPECT_TRUE(HelpShows(false, Fixture().battery));
}

TEST_F(HELP_READER, TheIndexListsTheKeywords) {
    ASSERT_TRUE(Open(HELP_CONTEXT, 0x20080));
    ASSERT_TRUE(HelpShows(false, Fixture().contents));

    // The reader's buttons: Contents, Index, Back, in the order of their ids.
    std::vector<std::pair<int, HWND>> buttons;
    for (HWND button = GetWindow(GetDlgItem(HelpWindow(false), kButtonBox), GW_CHILD); button != nullptr;
         button = GetWindow(button, GW_HWNDNEXT))
        buttons.push_back({GetDlgCtrlID(button), button});
    std::sort(buttons.begin(), buttons.end());
    ASSERT_EQ(buttons.size(), 3u);
    PostMessageA(buttons[1].second, BM_CLICK, 0, 0);

    // The index is the reader's property sheet, a dialog whose first page
    // lists the keywords.
    DWORD reader = 0;
    GetWindowThreadProcessId(HelpWindow(false), &reader);
    HWND list = nullptr;
    ASSERT_TRUE(WaitFor([&] {
        for (HWND sheet : TopLevelWindows("#32770", reader)) {
            list = FindWindowExA(FindWindowExA(sheet, nullptr, "#32770", nullptr), nullptr, "ListBox", nullptr);
            if (list != nullptr && SendMessageA(list, LB_GETCOUNT, 0, 0) > 0) return true;
        }
        return false;
    })) << "no index";
    std::vector<std::wstring> keywords;
    const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        wchar_t keyword[256] = {};
        SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(keyword));
        keywords.push_back(keyword);
    }
    EXPECT_EQ(keywords, Fixture().keywords);
    HWND sheet = GetAncestor(list, GA_ROOT);
    PostMessageA(sheet, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(sheet); })) << "the index stays open";
}

}  // namespace
