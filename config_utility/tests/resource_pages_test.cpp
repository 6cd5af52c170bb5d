// The Parallel Port and PCI Device Setup pages over the machine model: what
// they show at opening, what OK writes and in which order, the EPP warning
// and the restart prompt.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "common/win32/controls.h"
#include "config_utility/pages/page_commands.h"
#include "config_utility/tests/merovant_test_fixture.h"
#include "config_utility/tests/page_script.h"
#include "machine_control/core/machine_values.h"
#include "resources/merovant/resource.h"

namespace {

constexpr std::uint32_t kPorts = kSmiFunctionPorts;

struct Sent {
    std::uint32_t ebx, ecx, edx;
    bool operator==(const Sent&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Sent& s) {
    return out << std::hex << "{" << s.ebx << ", " << s.ecx << ", " << s.edx << "}";
}

// The ports function's writes in the model's log (reads left out).
std::vector<Sent> Writes(const MachineModel& model) {
    std::vector<Sent> sent;
    for (const SmiRequest& r : LoggedRequests(model)) {
        const std::uint32_t sub = r.Ebx & 0xFF;
        const bool write = (sub == 0x03 && r.Ebx != 0x0003) || (sub == 0x1F && r.Ebx != 0x021F);
        if (r.Eax == kPorts && write) sent.push_back({r.Ebx, r.Ecx, r.Edx});
    }
    return sent;
}

int Selection(HWND dialog, int list) { return static_cast<int>(SendDlgItemMessageA(dialog, list, CB_GETCURSEL, 0, 0)); }

std::vector<std::string> Entries(HWND dialog, int list) {
    std::vector<std::string> entries;
    const int count = static_cast<int>(SendDlgItemMessageA(dialog, list, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[64] = "";
        SendDlgItemMessageA(dialog, list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        entries.emplace_back(text);
    }
    return entries;
}

// Selects position in a drop-down list as the user does: the selection, then
// the notification to the page.
void Select(HWND dialog, int list, int position) {
    SendDlgItemMessageA(dialog, list, CB_SETCURSEL, position, 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(list, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, list)));
}

bool Enabled(HWND dialog, int control) { return IsWindowEnabled(GetDlgItem(dialog, control)) != 0; }

class ResourcePagesTest : public testing::Test {
protected:
    // Opens the page as its switch does; step runs inside it and must close it.
    void Open(PageNumber page, std::function<void(HWND)> step) {
        script.Then(std::move(step));
        ASSERT_TRUE(OpenPage(context, page));
    }

    std::unique_ptr<MachineModel> model = std::make_unique<MachineModel>();
    FailingModelTransport transport{*model};
    RecordingShell shell;
    MerovantContext context{GetModuleHandleA(nullptr), shell, {}, {}};
    PageScript script;
};

// ---- Parallel Port ---------------------------------------------------------

struct ParallelOpening {
    const char* name;
    std::uint8_t status, mode, dma;
    int checked;                // the radio button checked
    int modePosition, dmaPosition;  // list selections (-1: none)
    bool radios, modeList, dmaList;  // enabled
};

TEST_F(ResourcePagesTest, ParallelPortOpensOnWhatTheMachineReports) {
    const ParallelOpening cases[] = {
        {"locked", kPortLocked, 3, 3, IDC_PARALLEL_PORT_DISABLE, 0, 0, false, false, false},
        {"disabled", kPortDisabled, 3, 1, IDC_PARALLEL_PORT_DISABLE, 3, 1, true, false, false},
        {"ECP on DMA 3", 0, 3, 3, IDC_PARALLEL_PORT_ENABLE, 3, 2, true, true, true},
        {"bi-directional", 0, 1, 0, IDC_PARALLEL_PORT_ENABLE, 1, 0, true, true, false},
        {"EPP", 0, 2, 1, IDC_PARALLEL_PORT_ENABLE, 2, 1, true, true, false},
    };
    for (const ParallelOpening& c : cases) {
        model->state.parallelPortStatus = c.status;
        model->state.parallelPortMode = c.mode;
        model->state.parallelPortDma = c.dma;
        Open(kPageParallelPort, [&](HWND dialog) {
            EXPECT_EQ(WindowText(dialog), "Parallel Port");
            EXPECT_EQ(Entries(dialog, IDC_OPERATING_MODE_LIST),
                      (std::vector<std::string>{"Uni-directional", "Bi-directional", "EPP", "ECP"}));
            EXPECT_EQ(Entries(dialog, IDC_DMA_CHANNEL_LIST), (std::vector<std::string>{"DMA 0", "DMA 1", "DMA 3"}));
            EXPECT_TRUE(IsItemChecked(dialog, c.checked)) << c.name;
            EXPECT_EQ(Selection(dialog, IDC_OPERATING_MODE_LIST), c.modePosition) << c.name;
            EXPECT_EQ(Selection(dialog, IDC_DMA_CHANNEL_LIST), c.dmaPosition) << c.name;
            EXPECT_EQ(Enabled(dialog, IDC_PARALLEL_PORT_ENABLE), c.radios) << c.name;
            EXPECT_EQ(Enabled(dialog, IDC_PARALLEL_PORT_DISABLE), c.radios) << c.name;
            EXPECT_EQ(Enabled(dialog, IDC_OPERATING_MODE_LIST), c.modeList) << c.name;
            EXPECT_EQ(Enabled(dialog, IDC_DMA_CHANNEL_LIST), c.dmaList) << c.name;
            Click(dialog, IDCANCEL);
        });
    }
    // A failed read checks and selects nothing.
    transport.failing = {{kPorts, 0x0003}};
    Open(kPageParallelPort, [&](HWND dialog) {
        EXPECT_FALSE(IsItemChecked(dialog, IDC_PARALLEL_PORT_ENABLE));
        EXPECT_FALSE(IsItemChecked(dialog, IDC_PARALLEL_PORT_DISABLE));
        EXPECT_EQ(Selection(dialog, IDC_OPERATING_MODE_LIST), -1);
        EXPECT_EQ(Selection(dialog, IDC_DMA_CHANNEL_LIST), -1);
        Click(dialog, IDOK);
    });
    EXPECT_EQ(Writes(*model), std::vector<Sent>{});
    EXPECT_EQ(shell.restartPrompts, 0);
}

TEST_F(ResourcePagesTest, ParallelPortChoicesEnableTheLists) {
    model->state.parallelPortMode = 1;
    Open(kPageParallelPort, [&](HWND dialog) {
        Select(dialog, IDC_OPERATING_MODE_LIST, 3);
        EXPECT_TRUE(Enabled(dialog, IDC_DMA_CHANNEL_LIST)) << "ECP offers the channel";
        Select(dialog, IDC_OPERATING_MODE_LIST, 2);
        EXPECT_FALSE(Enabled(dialog, IDC_DMA_CHANNEL_LIST));
        Click(dialog, IDC_PARALLEL_PORT_DISABLE);
        EXPECT_FALSE(Enabled(dialog, IDC_OPERATING_MODE_LIST));
        EXPECT_FALSE(Enabled(dialog, IDC_DMA_CHANNEL_LIST));
        Select(dialog, IDC_OPERATING_MODE_LIST, 3);
        Click(dialog, IDC_PARALLEL_PORT_ENABLE);
        EXPECT_TRUE(Enabled(dialog, IDC_OPERATING_MODE_LIST));
        EXPECT_TRUE(Enabled(dialog, IDC_DMA_CHANNEL_LIST)) << "the mode chosen is ECP";
        Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(Writes(*model), std::vector<Sent>{});
}

struct ParallelWrite {
    const char* name;
    std::function<void(HWND)> choose;
    std::vector<Sent> sent;  // the writes, in order
    bool warning;            // the EPP warning, before the mode's write
};

TEST_F(ResourcePagesTest, ParallelPortOkWritesThePortThenTheModeOverTheFieldsReadBack) {
    // The machine's word 0x0278, value 5, ECP on DMA 3, enabled.
    const auto dh = [](std::uint32_t mode, std::uint32_t dma) { return ((dma << 6 | mode) << 8) | 5; };
    const ParallelWrite cases[] = {
        {"EPP", [](HWND d) { Select(d, IDC_OPERATING_MODE_LIST, 2); }, {{0x0103, 0x0278, dh(2, 3)}}, true},
        {"DMA 1 only", [](HWND d) { Select(d, IDC_DMA_CHANNEL_LIST, 1); }, {{0x0103, 0x0278, dh(3, 1)}}, false},
        {"disable", [](HWND d) { Click(d, IDC_PARALLEL_PORT_DISABLE); }, {{0x1003, 0, 0}}, false},
        {"enable again, uni-directional",
         [](HWND d) {
             Click(d, IDC_PARALLEL_PORT_ENABLE);
             Select(d, IDC_OPERATING_MODE_LIST, 0);
         },
         {{0x1103, 0, 0}, {0x0103, 0x0278, dh(0, 3)}}, false},
        {"nothing", [](HWND) {}, {}, false},
    };
    for (const ParallelWrite& c : cases) {
        model->state = MachineState();
        model->state.parallelPortStatus = 0;
        model->state.parallelPortMode = 3;
        model->state.parallelPortDma = 3;
        model->state.parallelPortWord = 0x0278;
        model->state.parallelPortByte = 5;
        shell.messages.clear();
        shell.restartPrompts = 0;
        std::size_t writesAtWarning = 99;
        shell.onMessage = [&] { writesAtWarning = Writes(*model).size(); };
        Open(kPageParallelPort, [&](HWND dialog) {
            model->ClearLog();
            c.choose(dialog);
            EXPECT_EQ(Writes(*model), std::vector<Sent>{}) << "nothing before OK";
            Click(dialog, IDOK);
        });
        EXPECT_EQ(Writes(*model), c.sent) << c.name;
        if (c.warning) {
            ASSERT_EQ(shell.messages.size(), 1u) << c.name;
            EXPECT_EQ(shell.messages[0],
                      "Make sure I/O base address is set to 378h or 278h ( other than 3BCh ) by BIOS Setup to EPP "
                      "port work correctly. ");
            EXPECT_EQ(writesAtWarning, 0u) << "the warning comes before the write";
        } else {
            EXPECT_EQ(shell.messages, std::vector<std::string>{}) << c.name;
        }
        EXPECT_EQ(shell.restartPrompts, c.sent.empty() ? 0 : 1) << c.name;
    }
}

TEST_F(ResourcePagesTest, ParallelPortModeWriteUsesTheFieldsOfTheReadAtOk) {
    model->state.parallelPortMode = 3;
    model->state.parallelPortDma = 3;
    Open(kPageParallelPort, [&](HWND dialog) {
        Select(dialog, IDC_DMA_CHANNEL_LIST, 1);
        // The machine changes under the open page.
        model->state.parallelPortMode = 1;
        model->state.parallelPortWord = 0x03BC;
        model->state.parallelPortByte = 9;
        Click(dialog, IDOK);
    });
    EXPECT_EQ(model->state.parallelPortMode, 1);
    EXPECT_EQ(model->state.parallelPortDma, 1);
    EXPECT_EQ(model->state.parallelPortWord, 0x03BC);
    EXPECT_EQ(model->state.parallelPortByte, 9);

    // Without that read there is nothing to write the mode with.
    Open(kPageParallelPort, [&](HWND dialog) {
        Select(dialog, IDC_DMA_CHANNEL_LIST, 0);
        model->ClearLog();
        transport.failing = {{kPorts, 0x0003}};
        Click(dialog, IDOK);
    });
    transport.failing.clear();
    EXPECT_EQ(Writes(*model), std::vector<Sent>{});
    EXPECT_EQ(shell.restartPrompts, 1) << "only the first page wrote";
}

// ---- PCI Device Setup ------------------------------------------------------

constexpr int kPciLists[] = {IDC_PCI_PIN1_LIST, IDC_PCI_PIN2_LIST, IDC_PCI_PIN3_LIST, IDC_PCI_PIN4_LIST};
constexpr int kPciLabels[] = {IDC_PCI_PIN1, IDC_PCI_PIN2, IDC_PCI_PIN3, IDC_PCI_PIN4};

Sent SetIrq(std::uint32_t pin, std::uint32_t irq) { return {(irq == 0x80 ? 0u : 0x100u) | 0x1F, irq << 8 | pin, 0}; }

TEST_F(ResourcePagesTest, PciRowsListTheOfferedInterruptsAndSelectTheCurrentOne) {
    MachineState& s = model->state;
    s.pciPinCount = 3;
    s.pciIrqMask[0] = 0x0C20;
    s.pciIrqAssigned[0] = 1, s.pciIrq[0] = 10;
    s.pciIrqMask[1] = 0x8EB8;
    s.pciIrqAssigned[1] = 0, s.pciIrq[1] = 11;  // flag 0: "None", whatever the number
    s.pciIrqMask[2] = 0x0C20;
    s.pciIrqAssigned[2] = 1, s.pciIrq[2] = 9;  // not offered: no selection
    // Pin 2's list cannot be read: it keeps pin 1's mask.
    transport.failing = {{kPorts, 0x021E}};
    Open(kPagePciDeviceSetup, [&](HWND dialog) {
        EXPECT_EQ(WindowText(dialog), "PCI Device Setup");
        EXPECT_EQ(WindowText(GetDlgItem(dialog, IDC_PCI_PIN1)), "IRQ for PCI Device 1 :");
        EXPECT_EQ(WindowText(GetDlgItem(dialog, IDC_PCI_PIN4)), "IRQ for PCI Device 4 :");
        const std::vector<std::string> offered{"IRQ  5", "IRQ  10", "IRQ  11", "None"};
        EXPECT_EQ(Entries(dialog, IDC_PCI_PIN1_LIST), offered);
        EXPECT_EQ(Entries(dialog, IDC_PCI_PIN2_LIST), offered);
        EXPECT_EQ(Selection(dialog, IDC_PCI_PIN1_LIST), 1);
        EXPECT_EQ(Selection(dialog, IDC_PCI_PIN2_LIST), 3);
        EXPECT_EQ(Selection(dialog, IDC_PCI_PIN3_LIST), -1);
        for (int row = 0; row < 4; ++row) {
            EXPECT_EQ(Enabled(dialog, kPciLabels[row]), row < 3) << row;
            EXPECT_EQ(Enabled(dialog, kPciLists[row]), row < 3) << row;
        }
        Click(dialog, IDCANCEL);
    });
    transport.failing.clear();

    // The first pin's list on a machine that cannot tell it: 0x8EB8.
    transport.failing = {{kPorts, 0x011E}};
    Open(kPagePciDeviceSetup, [&](HWND dialog) {
        EXPECT_EQ(Entries(dialog, IDC_PCI_PIN1_LIST),
                  (std::vector<std::string>{"IRQ  3", "IRQ  4", "IRQ  5", "IRQ  7", "IRQ  9", "IRQ  10", "IRQ  11",
                                            "IRQ  15", "None"}));
        Click(dialog, IDCANCEL);
    });
}

TEST_F(ResourcePagesTest, PciOkWritesEveryRowInUse) {
    struct Case {
        const char* name;
        int row, position;  // the selection made (row -1: none)
        std::vector<Sent> sent;
    };
    const Case cases[] = {
        {"pin 2 to 5", 1, 0, {SetIrq(1, 11), SetIrq(2, 5), SetIrq(3, 9)}},
        {"pin 1 released", 0, 3, {SetIrq(1, 0x80), SetIrq(2, 10), SetIrq(3, 9)}},
        {"nothing", -1, 0, {}},
    };
    for (const Case& c : cases) {
        MachineState& s = model->state;
        s.pciPinCount = 3;
        s.pciIrqMask[0] = s.pciIrqMask[1] = s.pciIrqMask[2] = 0x0C20;
        s.pciIrqAssigned[0] = 1, s.pciIrq[0] = 11;
        s.pciIrqAssigned[1] = 1, s.pciIrq[1] = 10;
        s.pciIrqAssigned[2] = 1, s.pciIrq[2] = 9;  // matches no entry
        shell.restartPrompts = 0;
        Open(kPagePciDeviceSetup, [&](HWND dialog) {
            model->ClearLog();
            if (c.row >= 0) Select(dialog, kPciLists[c.row], c.position);
            Click(dialog, IDOK);
        });
        EXPECT_EQ(Writes(*model), c.sent) << c.name;
        EXPECT_EQ(shell.restartPrompts, c.sent.empty() ? 0 : 1) << c.name;
    }
}

TEST_F(ResourcePagesTest, PciWithoutPinsKeepsEveryRowDisabledAndWritesNothing) {
    for (bool countFails : {false, true}) {
        model->state.pciPinCount = 0;
        transport.failing.clear();
        if (countFails) {
            model->state.pciPinCount = 4;
            transport.failing = {{kPorts, 0x001D}};
        }
        Open(kPagePciDeviceSetup, [&](HWND dialog) {
            for (int row = 0; row < 4; ++row) EXPECT_FALSE(Enabled(dialog, kPciLists[row])) << row;
            model->ClearLog();
            // A selection that reaches the page anyway.
            Select(dialog, IDC_PCI_PIN1_LIST, 0);
            Click(dialog, IDOK);
        });
        EXPECT_EQ(Writes(*model), std::vector<Sent>{});
        EXPECT_EQ(shell.restartPrompts, 0);
    }
}

}  // namespace
