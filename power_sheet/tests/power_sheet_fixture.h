// The Power Management sheet over the machine model, modeless, driven with
// messages as the user's clicks would send them.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "power_sheet/sheet/power_prop.h"
#include "power_sheet/tests/recording_shell.h"
#include "tests/support/help_files.h"
#include "tests/support/machine_fixture.h"
#include "tests/support/window_text.h"

// One request as the model received it.
struct Sent {
    std::uint32_t eax, ebx, ecx, edx;
    bool operator==(const Sent&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Sent& s);

// The pages' positions in the sheet.
inline constexpr int kHibernationPage = 0;
inline constexpr int kSuspendPage = 1;
inline constexpr int kPowerModePage = 2;

class PowerSheetTest : public testing::Test {
protected:
    PowerSheetTest();
    ~PowerSheetTest() override;

    // Creates the sheet (its first page opens).
    void Open();
    // Shows page index and returns it.
    HWND ShowPage(int index);
    // Presses a button of the sheet: IDOK, IDCANCEL or kApplyButton.
    void Press(int button);
    bool ApplyEnabled() const;
    bool Closed() const;

    // The requests the model received since the last ClearLog.
    std::vector<Sent> Logged() const;

    std::unique_ptr<MachineModel> model = std::make_unique<MachineModel>();
    FailingModelTransport transport{*model};
    RecordingShell shell;
    HelpFileInPlace helpFile{OwnHelpFile()};  // where the pages look for their help
    std::unique_ptr<CPowerProp> sheet;
    HWND window = nullptr;
};

inline constexpr int kApplyButton = 0x3021;  // comctl32's Apply button

// Chooses position in a drop-down list, as the user's choice notifies the page.
void Choose(HWND page, int list, int position);
void Click(HWND page, int button);
int Selection(HWND page, int list);
bool Checked(HWND page, int button);
bool Enabled(HWND page, int control);
// Shown in the page (the sheet itself stays hidden in these tests).
bool Shown(HWND page, int control);

// Right button down at a page's point (a control's centre, or client point
// of the page when control is 0), then "What is this?" chosen from the menu;
// returns the menu item's text.
std::string WhatsThis(HWND page, int control, POINT client = {});
