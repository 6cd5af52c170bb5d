// The Hibernation Options page over the machine model: the check boxes and the
// minutes list from the flags byte and timer code, what apply sends, and the
// button that starts the save-to-disk utility.
#include <gtest/gtest.h>

#include "machine_control/core/smi_request.h"
#include "power_sheet/tests/power_sheet_fixture.h"
#include "resources/corvessa/resource.h"

namespace {

constexpr std::uint32_t kPower = kSmiFunctionPower;
const int kBoxes[] = {IDC_HIBERNATE_VESTRUNE, IDC_HIBERNATE_BY_SWITCH, IDC_HIBERNATE_BY_TIMER,
                      IDC_HIBERNATE_ON_LOW_BATTERY, IDC_HIBERNATE_AFTER_SUSPEND};

class HibernationPageTest : public PowerSheetTest {
protected:
    HWND OpenHibernation(std::uint8_t flags, std::uint8_t code) {
        model->state.hibernateFlags = flags;
        model->state.hibernateTimer = code;
        Open();
        return ShowPage(kHibernationPage);
    }
    static std::vector<std::string> Minutes(HWND page) {
        std::vector<std::string> entries;
        const int count = static_cast<int>(SendDlgItemMessageA(page, IDC_HIBERNATE_MINUTES, CB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            char text[16] = "";
            SendDlgItemMessageA(page, IDC_HIBERNATE_MINUTES, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
            entries.push_back(text);
        }
        return entries;
    }
    // What Apply sends: SetHibernateStatus(flags, code).
    std::vector<Sent> Applied() {
        model->ClearLog();
        Press(kApplyButton);
        std::vector<Sent> hibernation;
        for (const Sent& s : Logged())
            if (s.eax == kPower && (s.ebx & 0xFF) == 0x0F) hibernation.push_back(s);
        return hibernation;
    }
    static Sent Status(std::uint32_t flags, std::uint32_t code) { return {kPower, 0x010F, flags, code << 8}; }
};

TEST_F(HibernationPageTest, OpensOnTheFlagsAndAppliesThemUnchanged) {
    using Entries = std::vector<std::string>;
    struct Case {
        std::uint8_t flags, code;
        int selection;   // in the minutes list
        Entries entries;
        std::uint8_t sentFlags, sentCode;
    };
    const Entries three = {"30", "60", "90"}, four = {"0", "30", "60", "90"};
    const Case cases[] = {
        {0x10, 2, 1, three, 0x10, 2},   // "60"
        {0x10, 0, -1, three, 0x10, 0},  // no selection, code 0
        {0x13, 3, 2, three, 0x13, 3},
        {0x0F, 3, 0, four, 0x0F, 0},    // without "Hibernate" the code is 0
        {0xE2, 1, 0, four, 0x02, 0},    // bits 5 to 7 are sent as 0
    };
    for (const Case& c : cases) {
        HWND page = OpenHibernation(c.flags, c.code);
        ASSERT_NE(page, nullptr);
        for (int bit = 0; bit < 5; ++bit) EXPECT_EQ(Checked(page, kBoxes[bit]), ((c.flags >> bit) & 1) != 0) << bit;
        EXPECT_EQ(Minutes(page), c.entries) << int(c.flags);
        EXPECT_EQ(Selection(page, IDC_HIBERNATE_MINUTES), c.selection) << int(c.flags);
        EXPECT_EQ(Enabled(page, IDC_HIBERNATE_MINUTES), (c.flags & 0x10) != 0) << int(c.flags);
        EXPECT_EQ(Applied(), std::vector<Sent>{Status(c.sentFlags, c.sentCode)}) << int(c.flags);
        DestroyWindow(window);
        window = nullptr;
    }
}

TEST_F(HibernationPageTest, HibernateBoxSwapsTheListAndDecidesTheCode) {
    HWND page = OpenHibernation(0x10, 3);
    EXPECT_EQ(ItemText(page, IDC_HIBERNATE_AFTER_SUSPEND), "Hibernate");
    EXPECT_FALSE(ApplyEnabled());
    Click(page, IDC_HIBERNATE_AFTER_SUSPEND);  // cleared: "0" back on top
    EXPECT_EQ(Minutes(page), (std::vector<std::string>{"0", "30", "60", "90"}));
    EXPECT_EQ(Selection(page, IDC_HIBERNATE_MINUTES), 0);
    EXPECT_FALSE(Enabled(page, IDC_HIBERNATE_MINUTES));
    EXPECT_TRUE(ApplyEnabled());
    EXPECT_EQ(Applied(), std::vector<Sent>{Status(0x00, 0)});

    // Check, clear, check: "30" of three entries.
    Click(page, IDC_HIBERNATE_AFTER_SUSPEND);
    Click(page, IDC_HIBERNATE_AFTER_SUSPEND);
    Click(page, IDC_HIBERNATE_AFTER_SUSPEND);
    EXPECT_EQ(Minutes(page), (std::vector<std::string>{"30", "60", "90"}));
    EXPECT_EQ(Selection(page, IDC_HIBERNATE_MINUTES), 0);
    EXPECT_TRUE(Enabled(page, IDC_HIBERNATE_MINUTES));
    Choose(page, IDC_HIBERNATE_MINUTES, 2);
    Click(page, IDC_HIBERNATE_BY_TIMER);
    EXPECT_EQ(Applied(), std::vector<Sent>{Status(0x14, 3)});
}

TEST_F(HibernationPageTest, UtilityButtonStartsHiberUtilityEvenWithoutTheBios) {
    ScratchMachineKey registry;
    registry.SetConfigurationValue("HiberUtility", "C:\\Merovant\\sorvault.exe");
    HWND page = OpenHibernation(0, 0);
    model->FailNextRequests(1000);
    model->ClearLog();
    Click(page, IDC_HIBERNATION_UTILITY);
    EXPECT_EQ(shell.started, std::vector<std::string>{"C:\\Merovant\\sorvault.exe"});
    EXPECT_EQ(model->LogCount(), 0u) << "the machine is not read again";
    EXPECT_FALSE(ApplyEnabled()) << "starting the utility changes nothing on the page";
    EXPECT_TRUE(shell.messages.empty());
}

TEST_F(HibernationPageTest, UtilityButtonSaysSoWhenHiberUtilityStartsNothing) {
    const std::string message =
        "The save-to-disk utility cannot be started: it is not installed or cannot be found. Please install "
        "Merovant Configuration again.";
    ScratchMachineKey registry;
    HWND page = OpenHibernation(0, 0);
    struct Case {
        const char* value;  // nullptr: no shared key at all
        bool startSucceeds;
        std::vector<std::string> started;
    };
    const std::string tooLong(300, 'x');
    const Case cases[] = {
        {nullptr, true, {}},
        {"", true, {}},
        {tooLong.c_str(), true, {}},
        {"C:\\Merovant\\gone.exe", false, {"C:\\Merovant\\gone.exe"}},
    };
    for (const Case& c : cases) {
        const std::string label = c.value ? std::string(c.value).substr(0, 20) : "(none)";
        if (c.value != nullptr) registry.SetConfigurationValue("HiberUtility", c.value);
        shell.startSucceeds = c.startSucceeds;
        shell.started.clear();
        shell.messages.clear();
        Click(page, IDC_HIBERNATION_UTILITY);
        EXPECT_EQ(shell.started, c.started) << label;
        EXPECT_EQ(shell.messages, std::vector<std::string>{message}) << label;
    }
    EXPECT_FALSE(ApplyEnabled());
}

TEST_F(HibernationPageTest, OkWritesOnlyThePagesThatWereShown) {
    Open();  // the Hibernation Options page is the first
    model->ClearLog();
    Press(IDOK);
    EXPECT_TRUE(Closed());
    EXPECT_EQ(Logged(), std::vector<Sent>{Status(model->state.hibernateFlags, model->state.hibernateTimer)});
    DestroyWindow(window);

    Open();
    ShowPage(kPowerModePage);
    model->ClearLog();
    Press(IDOK);
    const std::vector<Sent> sent = Logged();
    ASSERT_EQ(sent.size(), 8u);
    EXPECT_EQ(sent[0].ebx, 0x010Fu) << "the pages write in the sheet's order";
    EXPECT_EQ(sent[1].ebx, 0x0116u);
    for (const Sent& s : sent) EXPECT_NE(s.ebx & 0xFF, 0x06u) << "the Suspend/Resume page was never shown";
}

}  // namespace
