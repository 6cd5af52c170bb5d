// The Control Panel's messages routed to the library's applet, and the cut of
// a text to the Control Panel's fields.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "control_panel_applet/core/control_panel_applet.h"

namespace {

// Records which operation ran with which arguments; answers as the base does.
class RecordingApplet final : public ControlPanelApplet {
public:
    std::int32_t OnDoubleClick(void* window, std::intptr_t l1, std::intptr_t l2) override {
        calls.push_back("double click " + Arguments(l1, l2) + (window == kWindow ? " window" : " other"));
        return ControlPanelApplet::OnDoubleClick(window, l1, l2);
    }
    std::int32_t OnExit() override { return Record("exit", ControlPanelApplet::OnExit()); }
    std::int32_t OnGetCount() override { return Record("count", ControlPanelApplet::OnGetCount()); }
    std::int32_t OnInit() override { return Record("init", ControlPanelApplet::OnInit()); }
    std::int32_t OnNewInquire(std::intptr_t l1, std::intptr_t l2) override {
        return Record("new inquire " + Arguments(l1, l2), ControlPanelApplet::OnNewInquire(l1, l2));
    }
    std::int32_t OnSelect(std::intptr_t l1, std::intptr_t l2) override {
        return Record("select " + Arguments(l1, l2), ControlPanelApplet::OnSelect(l1, l2));
    }
    std::int32_t OnStop(std::intptr_t l1, std::intptr_t l2) override {
        return Record("stop " + Arguments(l1, l2), ControlPanelApplet::OnStop(l1, l2));
    }

    static inline void* const kWindow = reinterpret_cast<void*>(0x1234);
    std::vector<std::string> calls;

private:
    static std::string Arguments(std::intptr_t l1, std::intptr_t l2) {
        return std::to_string(l1) + "," + std::to_string(l2);
    }
    std::int32_t Record(const std::string& call, std::int32_t result) {
        calls.push_back(call);
        return result;
    }
};

TEST(ControlPanelApplet, EachMessageReachesItsOperationAndAnswersByTheTable) {
    RecordingApplet applet;
    const struct {
        unsigned message;
        std::int32_t result;
        const char* call;  // null: no operation runs
    } table[] = {
        {0, 1, nullptr},
        {kAppletInit, 1, "init"},
        {kAppletGetCount, 1, "count"},
        {kAppletInquire, 0, nullptr},
        {kAppletSelect, 1, "select 7,8"},
        {kAppletDoubleClick, 0, "double click 7,8 window"},
        {kAppletStop, 1, "stop 7,8"},
        {kAppletExit, 0, "exit"},
        {kAppletNewInquire, 0, "new inquire 7,8"},
        {kAppletStartWithParametersA, 0, nullptr},
        {kAppletStartWithParametersW, 0, nullptr},
        {11, 1, nullptr},
        {0x400, 1, nullptr},
    };
    for (const auto& row : table) {
        applet.calls.clear();
        EXPECT_EQ(DispatchAppletMessage(RecordingApplet::kWindow, row.message, 7, 8), row.result) << row.message;
        EXPECT_EQ(applet.calls, row.call ? std::vector<std::string>{row.call} : std::vector<std::string>{})
            << row.message;
    }
}

TEST(ControlPanelApplet, WithoutAnAppletTheControlPanelUnloadsTheLibrary) {
    { RecordingApplet gone; }
    EXPECT_EQ(DispatchAppletMessage(nullptr, kAppletInit, 0, 0), 0);
}

// Bytes 0x81 to 0x9F and 0xE0 to 0xFC begin a double-byte character, as in
// the Japanese code page.
bool ShiftJisLead(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }
bool SingleByte(unsigned char) { return false; }

TEST(ControlPanelApplet, TextsAreCutToTheirFieldNeverInsideACharacter) {
    const std::string description64(64, 'd');
    EXPECT_EQ(FittingLength(description64.c_str(), 64, SingleByte), 63u);
    EXPECT_EQ(FittingLength("Merovant Configuration ", 32, SingleByte), 23u) << "the trailing blank stays";
    EXPECT_EQ(FittingLength(std::string(31, 'n').c_str(), 32, SingleByte), 31u);
    EXPECT_EQ(FittingLength("", 32, SingleByte), 0u);

    // 61 single bytes and then a double-byte character: byte 62 and 63 would
    // hold it whole, one more does not fit.
    std::string japanese(61, 'j');
    japanese += "\x83\x41\x83\x41";
    EXPECT_EQ(FittingLength(japanese.c_str(), 64, ShiftJisLead), 63u);
    japanese.insert(0, "j");
    EXPECT_EQ(FittingLength(japanese.c_str(), 64, ShiftJisLead), 62u) << "the character is not split";
    // A lead byte that ends the text stands alone.
    EXPECT_EQ(FittingLength("ab\x83", 64, ShiftJisLead), 3u);
}

}  // namespace
