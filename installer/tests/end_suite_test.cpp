// EndSuite with stand-ins for the suite's programs: what it asks to end
// through a window of the suite, what it terminates, what it leaves alone.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "installer/end_suite/end_suite.h"
#include "tests/support/program_run.h"
#include "tests/support/stand_in_window.h"
#include "tests/support/test_log.h"

namespace {

// The stand-in's exit codes: ended on its own, and terminated by EndSuite.
constexpr DWORD kEndedWhenAsked = 7;
constexpr DWORD kTerminated = 1;
// What the tests give the programs to end before they are terminated.
constexpr DWORD kEndMilliseconds = 2000;

const std::vector<std::string> kImages = {"merovant.exe", "taskbar.exe", "sorvault.exe"};

std::string TempFolder(const char* name) {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    return std::string(temp) + name;
}

class EndSuiteTest : public testing::Test {
protected:
    void SetUp() override {
        // A folder with a blank, as "Program Files": its short name differs.
        for (const std::string& folder : {suite, elsewhere}) {
            CreateDirectoryA(folder.c_str(), nullptr);
            for (const std::string& image : kImages)
                ASSERT_TRUE(CopyFileA(standIn.c_str(), (folder + "\\" + image).c_str(), FALSE)) << folder;
        }
    }
    void TearDown() override {
        for (const std::string& folder : {suite, elsewhere}) {
            for (const std::string& image : kImages) DeleteFileA((folder + "\\" + image).c_str());
            RemoveDirectoryA(folder.c_str());
        }
    }

    const std::string standIn = PathBesideProgram("StandInTrayProgram.exe");
    const std::string suite = TempFolder("Merovant Suite");
    const std::string elsewhere = TempFolder("Merovant Elsewhere");
};

// Each stand-in: where it runs from, its window's title and behaviour, and
// what EndSuite must make of it.
struct Case {
    const char* program;  // an image of kImages, in the suite's folder or elsewhere; null: the test's own
    bool inSuite;
    const char* title;
    const char* mode;
    DWORD exitCode;
};

TEST_F(EndSuiteTest, AsksTheSuitesWindowsTerminatesWhatStaysAndLeavesOtherProgramsAlone) {
    const Case cases[] = {
        // Found by their windows, wherever they run from.
        {nullptr, false, "Fuel", "", kEndedWhenAsked},
        {nullptr, false, "Merovant Configuration", "", kEndedWhenAsked},
        {nullptr, false, "Power Management", "", kEndedWhenAsked},
        {nullptr, false, "Enable/Disable Hibernation", "", kEndedWhenAsked},
        // The tray launcher is sent WM_DESTROY; one that lets it pass is terminated.
        {nullptr, false, "Taskbar", "stay", kTerminated},
        {nullptr, false, "Merovant Configuration", "busy", kTerminated},
        // A program of the suite's folder without a window of the suite.
        {"merovant.exe", true, "Starting", "", kTerminated},
        {"taskbar.exe", true, "Ending", "busy", kTerminated},
        // The same names elsewhere are other programs.
        {"merovant.exe", false, "Another program", "", STILL_ACTIVE},
        {"taskbar.exe", false, "Another taskbar", "stay", STILL_ACTIVE},
    };
    std::vector<std::unique_ptr<StandInWindow>> standIns;
    for (const Case& c : cases) {
        const std::string program = c.program == nullptr ? standIn : (c.inSuite ? suite : elsewhere) + "\\" + c.program;
        standIns.push_back(std::make_unique<StandInWindow>(program, c.title, c.mode));
        ASSERT_TRUE(standIns.back()->running()) << c.title;
    }

    EXPECT_TRUE(EndSuite(suite, kImages, kEndMilliseconds));

    for (std::size_t i = 0; i < standIns.size(); ++i)
        EXPECT_EQ(standIns[i]->ExitCode(), cases[i].exitCode) << cases[i].title << " " << cases[i].mode;
}

TEST_F(EndSuiteTest, FindsTheFolderWhateverItsSpelling) {
    StandInWindow running(suite + "\\merovant.exe", "Starting");
    ASSERT_TRUE(running.running());
    char shortFolder[MAX_PATH];
    ASSERT_GT(GetShortPathNameA(suite.c_str(), shortFolder, sizeof shortFolder), 0u);
    ASSERT_NE(suite, shortFolder) << "the folder's short name is its long one";
    std::string upper = shortFolder;
    CharUpperA(upper.data());

    EXPECT_TRUE(EndSuite(upper, kImages, kEndMilliseconds));

    EXPECT_EQ(running.ExitCode(), kTerminated);
}

// The save-to-disk utility may be rewriting the disk's FAT: it is asked, and
// never terminated; EndSuite says that it still runs.
TEST_F(EndSuiteTest, LeavesABusySaveToDiskUtilityRunningAndSaysSo) {
    for (const char* title : {"Enable/Disable Hibernation", "Hibernation Partition"}) {
        StandInWindow busy(suite + "\\sorvault.exe", title, "busy");
        ASSERT_TRUE(busy.running()) << title;

        EXPECT_FALSE(EndSuite(suite, kImages, kEndMilliseconds)) << title;

        EXPECT_EQ(busy.ExitCode(), STILL_ACTIVE) << title;
    }
}

}  // namespace
