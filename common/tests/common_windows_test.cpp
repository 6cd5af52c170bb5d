// The shared Win32 pieces: string table texts and the dialog base class.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/controls.h"
#include "common/dialog.h"
#include "common/load_string.h"
#include "common/tests/common_test_resources.h"

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
