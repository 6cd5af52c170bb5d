// What the tests of the help entry points share: the help files the build
// made and their sources, the user's right button, menu click and F1 key, a
// program's message boxes and string table, and the fixture that puts each
// program's help file where it looks and a stand-in or Wine's own reader in
// front of it.
//
// Built twice: in English with the files and sources of 1033 and, with
// HELP_ENTRY_POINTS_JAPANESE, in Japanese with those of 1041, run in a
// Japanese locale.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "tests/help_entry_points/help_topic_text.h"
#include "tests/support/console_program.h"
#include "tests/support/help_files.h"
#include "tests/support/help_reader.h"
#include "tests/support/help_reader_stand_in.h"
#include "tests/support/program_run.h"
#include "tests/support/registry_value.h"
#include "tests/support/test_log.h"
#include "tests/support/wait_for.h"

#ifdef HELP_ENTRY_POINTS_JAPANESE
constexpr char kLanguage[] = "1041";
constexpr UINT kCodePage = 932;
#define HELP_ENTRY_POINTS JapaneseHelpEntryPoints
#else
constexpr char kLanguage[] = "1033";
constexpr UINT kCodePage = 1252;
#define HELP_ENTRY_POINTS EnglishHelpEntryPoints
#endif


// The help file of a program (named after its image) that the build made for
// the language.
std::string BuiltHelpFile(const char* program);
// The help source of a program's resource folder for the language.
std::string HelpSourceOf(const char* folder);

// A string of a program's own table, in the language the program shows.
std::string ProgramString(const char* image, UINT id);

// The visible dialog (page, sheet or message box) of a process.
HWND ShownDialogOf(const StartedProgram& program, DWORD milliseconds = 15000);

// What's This as the user asks for it: the right button over the control,
// then a click on the one item of the menu that opens there.
bool WhatsThisByMouse(HWND control);

// F1 as the user presses it, on the window that has the focus.
void PressF1();
// F1 with the focus on control (a control of dialog, the top-level dialog
// that moves the focus).
void F1On(HWND dialog, HWND control);

// A message box of the program: its text, once it shows, closed with OK.
std::string MessageOf(const StartedProgram& program);

// Asks every visible window of program to close.
void CloseWindowsOf(const StartedProgram& program);

class HELP_ENTRY_POINTS : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(GetACP(), kCodePage) << "the locale's code page (LC_ALL) is another";
        EndHelpReaders();
        for (const HelpFileInPlace* file : {&merovantHelp, &corvessaHelp, &fuelHelp})
            ASSERT_TRUE(file->placed()) << file->path();
        ASSERT_TRUE(values.opened());
    }
    void TearDown() override {
        CloseWindowsOf(program_);
        EndWithin(program_, 5000);
        WinHelpA(nullptr, nullptr, HELP_QUIT, 0);
        WaitFor([] { return !HelpReaderRuns(); }, 5000);
        EndHelpReaders();
    }

    // The request the stand-in recorded is command with context for the
    // program's help file; that file holds the topic that the file's source
    // writes for context, and Wine's own reader shows that text.
    void ExpectTopic(const HelpReaderStandIn::Request& request, UINT command, DWORD context,
                     const HelpFileInPlace& file, const char* sourceFolder) {
        EXPECT_EQ(request.command, command);
        EXPECT_EQ(request.data, context) << std::hex << request.data;
        ASSERT_EQ(lstrcmpiA(request.file.c_str(), file.path().c_str()), 0) << request.file;
        const std::wstring text = SourceTopicText(HelpSourceOf(sourceFolder), context);
        ASSERT_FALSE(text.empty()) << "no topic " << std::hex << context << " in the source";
        EXPECT_EQ(FileTopicText(request.file, context), text);
        // Wine's WinHelpA fails while the reader it starts is not up yet.
        ASSERT_TRUE(WaitFor([&] { return WinHelpA(nullptr, request.file.c_str(), HELP_CONTEXT, context) != FALSE; },
                            20000));
        EXPECT_TRUE(HelpShows(false, text)) << "Wine's reader shows: " << TopicText(HelpWindow(false));
    }

    // The program started with arguments, and its first dialog once shown.
    HWND StartDialog(const char* image, const char* arguments = "") {
        program_ = StartProgram(QuotedProgramBeside(image) + " " + arguments);
        return program_ ? ShownDialogOf(program_) : nullptr;
    }
    // merovant's main window.
    HWND StartMainWindow() {
        program_ = StartProgram(QuotedProgramBeside("merovant.exe"));
        HWND window = nullptr;
        WaitFor([&] { return (window = FindWindowA(nullptr, "Merovant Configuration")) != nullptr; });
        return window;
    }
    // Nothing but the reader's help window: no message of the program (no
    // dialog but its own window, own), no prompt of the reader (its "cannot
    // find" box).
    void ExpectNoMessages(HWND own = nullptr) {
        std::vector<HWND> dialogs = TopLevelWindows("#32770", program_.id);
        std::erase(dialogs, own);
        EXPECT_TRUE(dialogs.empty()) << "a message of the program";
        DWORD reader = 0;
        GetWindowThreadProcessId(HelpWindow(false), &reader);
        EXPECT_TRUE(TopLevelWindows("#32770", reader).empty()) << "a prompt of the help reader";
    }

    HelpFileInPlace merovantHelp{PathBesideProgram("merovant.hlp"), BuiltHelpFile("merovant")};
    HelpFileInPlace corvessaHelp{PathBesideProgram("Corvessa.hlp"), BuiltHelpFile("Corvessa")};
    HelpFileInPlace fuelHelp{PathBesideProgram("fuel.hlp"), BuiltHelpFile("fuel")};
    SavedSharedValues values{"HelpPath", "FuelHelp"};
    StartedProgram program_;
};
