// The shared Win32 pieces: string table texts, the dialog base class, the
// property page and sheet, the registry reader and the shared configuration key.
#include <windows.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "common/win32/configuration_key.h"
#include "common/win32/controls.h"
#include "common/win32/dialog.h"
#include "common/win32/load_string.h"
#include "common/win32/property_sheet.h"
#include "common/win32/registry_string.h"
#include "common/win32/unique_handle.h"
#include "common/tests/common_test_resources.h"
#include "tests/support/machine_fixture.h"
#include "tests/support/window_text.h"

namespace {

TEST(LoadStr, ReturnsTheWholeTextInTheAnsiCodePage) {
    // "Größe" in UTF-8 in the .rc; in code page 1252 ö and ß are one byte each.
    EXPECT_EQ(LoadStr(IDS_TEST_TEXT), "Gr\xF6\xDF" "e\nTip");
    EXPECT_EQ(LoadStr(IDS_TEST_LONG).size(), 280u);
    EXPECT_EQ(LoadStr(4321), "");
}

// Records what the base class forwards, then presses its own buttons.
class RecordingDialog final : public CDialog {
public:
    RecordingDialog() : CDialog(IDD_TEST_DIALOG) {}
    std::vector<std::string> calls;

protected:
    BOOL OnInitDialog() override {
        calls.push_back("init");
        CheckItem(hwnd(), IDC_TEST_CHECK, true);
        SetTimer(hwnd(), 7, 10, nullptr);
        return TRUE;
    }
    void OnTimer(UINT_PTR id) override {
        KillTimer(hwnd(), id);
        calls.push_back("timer " + std::to_string(id));
        SendMessageA(hwnd(), WM_COMMAND, MAKEWPARAM(IDC_TEST_CHECK, BN_CLICKED), 0);
        PostMessageA(hwnd(), WM_COMMAND, IDOK, 0);
    }
    bool OnCommand(int id, int, HWND) override {
        if (id != IDC_TEST_CHECK) return false;
        calls.push_back(IsItemChecked(hwnd(), IDC_TEST_CHECK) ? "checked" : "unchecked");
        return true;
    }
    void OnOK() override {
        calls.push_back("ok");
        EndDialog(hwnd(), 42);
    }
    void OnDestroy() override { calls.push_back("destroy"); }
};

TEST(CDialog, ForwardsMessagesToTheObjectAndEndsModally) {
    RecordingDialog dialog;
    EXPECT_EQ(dialog.DoModal(GetModuleHandleA(nullptr), nullptr), 42);
    EXPECT_EQ(dialog.calls, (std::vector<std::string>{"init", "timer 7", "checked", "ok", "destroy"}));
    EXPECT_EQ(dialog.hwnd(), nullptr);
}

}  // namespace

// The shared key's values round-trip, and a value of the wrong type or size
// reads as missing, leaving the caller's value alone.
TEST(ConfigurationKey, ReadsWhatItWroteAndRefusesOtherTypes) {
    ScratchMachineKey registry;
    registry.SetConfigurationValue("Program", "C:\\Merovant\\merovant.exe");
    ConfigurationKey key;
    ASSERT_TRUE(key.Open());

    char buffer[kConfigurationValueSize];
    EXPECT_TRUE(key.ReadString("Program", buffer));
    EXPECT_STREQ(buffer, "C:\\Merovant\\merovant.exe");
    EXPECT_TRUE(key.WriteString("FGTray", "1"));
    EXPECT_TRUE(key.ReadString("FGTray", buffer));
    EXPECT_STREQ(buffer, "1");
    EXPECT_TRUE(key.WriteDword("TaskBarId", 4242));
    DWORD id = 7;
    EXPECT_TRUE(key.ReadDword("TaskBarId", id));
    EXPECT_EQ(id, 4242u);

    id = 7;
    EXPECT_FALSE(key.ReadDword("FGTray", id));  // a string
    EXPECT_FALSE(key.ReadDword("Missing", id));
    EXPECT_EQ(id, 7u);
    EXPECT_FALSE(key.ReadString("TaskBarId", buffer));  // a number
    EXPECT_STREQ(buffer, "");
}

TEST(ConfigurationKey, FailsEveryCallWhenTheKeyIsMissing) {
    ScratchMachineKey registry;  // empty: no configuration key
    ConfigurationKey key;
    EXPECT_FALSE(key.Open());
    EXPECT_FALSE(key.WriteString("FGTray", "1"));
    char buffer[kConfigurationValueSize];
    EXPECT_FALSE(ReadConfigurationValue("Program", buffer));
    EXPECT_STREQ(buffer, "");
}

// Strings read into a fixed buffer: a value that fits with its terminator,
// stored with or without one, is read whole; one that does not fit, of
// another type or missing reads as missing and leaves the buffer alone.
TEST(ReadRegistryString, ReadsWhatFitsAndRefusesTheRest) {
    constexpr char kKey[] = "Software\\SuiteTests\\RegistryString";
    UniqueRegistryKey key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.put(), nullptr),
              ERROR_SUCCESS);
    struct Case {
        const char* what;
        DWORD type;
        std::size_t characters;
        bool terminated;
        bool read;
    };
    const Case cases[] = {
        {"255 and NUL", REG_SZ, 255, true, true},
        {"256 and NUL", REG_SZ, 256, true, false},
        {"257 and NUL", REG_SZ, 257, true, false},
        {"255 without NUL", REG_SZ, 255, false, true},
        {"256 without NUL", REG_SZ, 256, false, false},
        {"expandable", REG_EXPAND_SZ, 10, true, true},
        {"empty", REG_SZ, 0, true, true},
        {"binary", REG_BINARY, 10, true, false},
        {"multi-string", REG_MULTI_SZ, 10, true, false},
    };
    for (const Case& c : cases) {
        const std::string value(c.characters, 'p');
        ASSERT_EQ(RegSetValueExA(key.get(), "Value", 0, c.type, reinterpret_cast<const BYTE*>(value.c_str()),
                                 static_cast<DWORD>(value.size() + (c.terminated ? 1 : 0))),
                  ERROR_SUCCESS);
        char buffer[256];
        std::memset(buffer, 'x', sizeof buffer);
        EXPECT_EQ(ReadRegistryString(key.get(), "Value", buffer), c.read) << c.what;
        if (c.read) EXPECT_EQ(std::string(buffer), value) << c.what;
        else EXPECT_EQ(buffer[0], 'x') << c.what << ": the buffer was changed";
    }
    const DWORD number = 1;
    RegSetValueExA(key.get(), "Value", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
    char buffer[256] = "kept";
    EXPECT_FALSE(ReadRegistryString(key.get(), "Value", buffer));
    EXPECT_FALSE(ReadRegistryString(key.get(), "Absent", buffer));
    EXPECT_STREQ(buffer, "kept");

    // The program paths and the player command take up to 2048 bytes.
    const std::string command(2047, 'c');
    RegSetValueExA(key.get(), nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                   static_cast<DWORD>(command.size() + 1));
    static char program[2048];
    EXPECT_TRUE(ReadRegistryString(key.get(), nullptr, program));
    EXPECT_EQ(std::string(program), command);
    key.reset();
    SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\SuiteTests");
}
namespace {

// Records what the page base forwards; its initialisation clicks its own
// check box, as a page that sets its controls does.
class RecordingPage final : public CPropertyPage {
public:
    RecordingPage(std::vector<std::string>& calls, const char* name)
        : CPropertyPage(IDD_TEST_PAGE, IDS_TEST_PAGE_TITLE), calls_(calls), name_(name) {}
    bool refuseToLeave = false;
    bool refuseToCancel = false;

protected:
    BOOL OnInitDialog() override {
        calls_.push_back(name_ + " init");
        SendMessageA(GetDlgItem(hwnd(), IDC_TEST_CHECK), BM_CLICK, 0, 0);
        return TRUE;
    }
    bool OnCommand(int id, int code, HWND) override {
        if (id != IDC_TEST_CHECK || code != BN_CLICKED) return false;
        Changed();
        return true;
    }
    void OnSetActive() override { calls_.push_back(name_ + " active"); }
    bool OnKillActive() override {
        calls_.push_back(name_ + " leave");
        return !refuseToLeave;
    }
    void OnApply() override { calls_.push_back(name_ + " apply"); }
    bool OnQueryCancel() override {
        calls_.push_back(name_ + " cancel?");
        return !refuseToCancel;
    }

private:
    std::vector<std::string>& calls_;
    std::string name_;
};

constexpr int kApplyButton = 0x3021;  // comctl32's Apply button

class PropertySheetTest : public testing::Test {
protected:
    void SetUp() override {
        InitCommonControls();
        window = sheet.CreateModeless(GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(window, nullptr);
    }
    void TearDown() override {
        if (window != nullptr) DestroyWindow(window);
    }
    bool ApplyEnabled() const { return IsWindowEnabled(GetDlgItem(window, kApplyButton)) != FALSE; }
    void Press(int button) { SendMessageA(window, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0); }
    // The calls but the activations, which comctl32 may repeat after an apply.
    std::vector<std::string> Calls() const {
        std::vector<std::string> kept;
        for (const std::string& call : calls)
            if (call.find(" active") == std::string::npos) kept.push_back(call);
        return kept;
    }

    std::vector<std::string> calls;
    RecordingPage first{calls, "first"}, second{calls, "second"}, third{calls, "third"};
    CPropertyPage* pages[3] = {&first, &second, &third};
    CPropertySheet sheet{IDS_TEST_SHEET_TITLE, pages};
    HWND window = nullptr;
};

// Counts the PSM_CHANGED that reach the sheet.
WNDPROC sheetProcedure = nullptr;
int changedMessages = 0;
LRESULT CALLBACK CountChanged(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == PSM_CHANGED) ++changedMessages;
    return CallWindowProcA(sheetProcedure, window, message, wParam, lParam);
}

TEST_F(PropertySheetTest, BuildsTheSheetFromTheTableWithTheFirstPageShown) {
    EXPECT_EQ(WindowText(window), "Sheet");
    HWND tabs = PropSheet_GetTabControl(window);
    EXPECT_EQ(TabCtrl_GetItemCount(tabs), 3);
    EXPECT_EQ(PropSheet_GetCurrentPageHwnd(window), first.hwnd());
    EXPECT_EQ(second.hwnd(), nullptr) << "a page is made when it is first shown";
    EXPECT_EQ(calls, (std::vector<std::string>{"first init", "first active"}));
    EXPECT_FALSE(ApplyEnabled());

    // The page's own initialisation does not mark it changed; the user's click does.
    sheetProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountChanged)));
    changedMessages = 0;
    PropSheet_SetCurSel(window, nullptr, 1);
    ASSERT_NE(second.hwnd(), nullptr);
    EXPECT_EQ(changedMessages, 0);
    SendMessageA(GetDlgItem(second.hwnd(), IDC_TEST_CHECK), BM_CLICK, 0, 0);
    EXPECT_EQ(changedMessages, 1);
    EXPECT_TRUE(ApplyEnabled());
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(sheetProcedure));
}

TEST_F(PropertySheetTest, OpensCentredOnTheWorkArea) {
    RECT work, placed;
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
    ASSERT_TRUE(GetWindowRect(window, &placed));
    // Centred once sized to its pages: the margins on either side differ by
    // at most the one pixel an odd difference leaves.
    EXPECT_LE(std::abs((placed.left - work.left) - (work.right - placed.right)), 1);
    EXPECT_LE(std::abs((placed.top - work.top) - (work.bottom - placed.bottom)), 1);
    EXPECT_GT(placed.left, work.left);
    EXPECT_GT(placed.top, work.top);
}

TEST_F(PropertySheetTest, ApplyReachesTheShownPagesInOrderAndOkCloses) {
    PropSheet_SetCurSel(window, nullptr, 2);
    calls.clear();
    Press(kApplyButton);
    EXPECT_EQ(Calls(), (std::vector<std::string>{"third leave", "first apply", "third apply"}));
    EXPECT_NE(PropSheet_GetCurrentPageHwnd(window), nullptr) << "Apply keeps the sheet open";

    // A page that keeps the user on it stops the apply.
    third.refuseToLeave = true;
    calls.clear();
    Press(IDOK);
    EXPECT_EQ(Calls(), (std::vector<std::string>{"third leave"}));
    third.refuseToLeave = false;
    calls.clear();
    Press(IDOK);
    EXPECT_EQ(Calls(), (std::vector<std::string>{"third leave", "first apply", "third apply"}));
    EXPECT_EQ(PropSheet_GetCurrentPageHwnd(window), nullptr) << "OK closes the sheet";
}

TEST_F(PropertySheetTest, CancelAsksTheCurrentPageAndAppliesNothing) {
    first.refuseToCancel = true;
    calls.clear();
    Press(IDCANCEL);
    EXPECT_EQ(calls, (std::vector<std::string>{"first cancel?"}));
    EXPECT_NE(PropSheet_GetCurrentPageHwnd(window), nullptr);
    first.refuseToCancel = false;
    calls.clear();
    Press(IDCANCEL);
    EXPECT_EQ(calls, (std::vector<std::string>{"first cancel?"}));
    EXPECT_EQ(PropSheet_GetCurrentPageHwnd(window), nullptr);
}

}  // namespace
