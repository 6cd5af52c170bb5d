// What every settings page of merovant shares: texts from the string table at
// opening, one value and changed flag per setting group, the writes on OK in
// the page's order, the restart prompt, the control panel buttons, What's
// This help and F1 (the popup topic of the control that has the focus). A
// page describes itself with a DevicePageLayout.
#pragma once

#include <windows.h>

#include <cstdint>
#include <span>
#include <vector>

#include "common/win32/control_text.h"
#include "common/win32/dialog.h"
#include "config_utility/shell/merovant_context.h"

// A button that starts a control panel; the page stays open.
struct ControlPanelButton {
    int control;
    const char* commandLine;
};

// A radio button and the value it stands for.
struct RadioChoice {
    int control;
    std::uint32_t value;
};

// What the read of a group found: the radio button to check (0 for none), and
// whether the setting is locked (its buttons greyed, nothing to write).
struct GroupReading {
    int checked = 0;
    bool locked = false;
};

// One setting: its radio buttons, its read at opening (false when the read
// failed: no button is checked) and its write on OK (result not examined).
// A page whose read serves more than the group leaves read empty and hands
// the group its reading from AfterRead (ApplyReading).
struct SettingGroup {
    RadioChoice choices[2];
    bool (*read)(GroupReading& reading);
    void (*write)(std::uint32_t value);
};

// An entry of a drop-down list: its text and the value it stands for.
struct ListEntry {
    UINT text;
    std::uint32_t value;
};

// A drop-down list of the page, filled with entries in this order at opening;
// a list whose entries depend on the machine has none here and is filled by
// the page (AddListEntry of common/win32/controls.h).
struct DropDownList {
    int control;
    std::span<const ListEntry> entries;
};

struct DevicePageLayout {
    int templateId;
    UINT caption;
    std::span<const ControlText> texts;
    std::span<const SettingGroup> groups;  // written on OK in this order
    std::span<const ControlPanelButton> controlPanels;
    bool restartPrompt;                    // after a write, offer to restart
    std::span<const DropDownList> lists = {};
};

class CDevicePage : public CDialog {
public:
    CDevicePage(MerovantContext& context, const DevicePageLayout& layout);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnContextMenu(HWND window, POINT screen) override;
    bool OnHelp(const HELPINFO& info) override;

    // The steps a page with more than pairs of radio buttons adds. AfterRead
    // runs at the end of the opening, once the texts, lists and groups are
    // set; OnChoice after a radio button of an unlocked group was chosen;
    // OnListChange after a new selection in one of the layout's lists.
    // WriteMore runs on OK after the groups' writes and returns whether it
    // wrote something (which asks for the restart prompt on pages with one).
    virtual void AfterRead() {}
    virtual void OnChoice(int /*control*/) {}
    virtual void OnListChange(int /*control*/) {}
    virtual bool WriteMore() { return false; }

    // Checks the group's button as reading says, greys it when locked.
    void ApplyReading(std::size_t group, const GroupReading& reading);

    MerovantContext& context() { return context_; }

private:
    struct GroupState {
        std::uint32_t value = 0;
        bool changed = false;
        bool locked = false;
    };
    void ReadGroup(std::size_t index);
    bool Choose(int control);
    void ShowWhatsThis();

    MerovantContext& context_;
    const DevicePageLayout& layout_;
    std::vector<GroupState> groups_;  // one per group of the layout
    POINT lastRightClick_{};
};

// Opens Page modally over owner; the page handlers of the page table.
template <typename Page>
void OpenDevicePage(MerovantContext& context, HWND owner) {
    Page page(context);
    page.DoModal(context.instance, owner);
}
