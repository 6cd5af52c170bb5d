#include "config_utility/pages/device_page.h"

#include "common/win32/controls.h"
#include "common/win32/help_context.h"
#include "common/win32/load_string.h"
#include "common/win32/whats_this_menu.h"
#include "common/win32/window_icon.h"
#include "config_utility/shell/merovant_help.h"
#include "resources/merovant/resource.h"

namespace {

constexpr ControlText kButtonTexts[] = {{IDOK, IDS_OK}, {IDCANCEL, IDS_CANCEL}};
constexpr WhatsThisMenu kWhatsThisMenu{IDR_WHATS_THIS, ID_WHATS_THIS, IDS_WHATS_THIS};
constexpr HelpContextBases kHelpContexts{HELP_CONTEXT_CONTROL_BASE, HELP_CONTEXT_PAGE_BASE};

}  // namespace

CDevicePage::CDevicePage(MerovantContext& context, const DevicePageLayout& layout)
    : CDialog(layout.templateId), context_(context), layout_(layout), groups_(layout.groups.size()) {}

BOOL CDevicePage::OnInitDialog() {
    SetWindowTextA(hwnd(), LoadStr(layout_.caption).c_str());
    SetWindowIcon(hwnd(), context_.instance, IDR_MAINFRAME);
    SetControlTexts(hwnd(), layout_.texts);
    SetControlTexts(hwnd(), kButtonTexts);
    for (const DropDownList& list : layout_.lists) {
        ClearList(hwnd(), list.control);
        for (const ListEntry& entry : list.entries)
            AddListEntry(hwnd(), list.control, LoadStr(entry.text).c_str(), entry.value);
    }
    for (std::size_t i = 0; i < layout_.groups.size(); ++i) ReadGroup(i);
    AfterRead();
    return TRUE;
}

void CDevicePage::ReadGroup(std::size_t index) {
    const SettingGroup& group = layout_.groups[index];
    for (const RadioChoice& choice : group.choices) CheckItem(hwnd(), choice.control, false);
    GroupReading reading;
    if (group.read == nullptr || !group.read(reading)) return;
    ApplyReading(index, reading);
}

void CDevicePage::ApplyReading(std::size_t index, const GroupReading& reading) {
    const SettingGroup& group = layout_.groups[index];
    for (const RadioChoice& choice : group.choices) {
        if (choice.control == reading.checked) {
            CheckItem(hwnd(), choice.control, true);
            groups_[index].value = choice.value;
        }
        if (reading.locked) EnableItem(hwnd(), choice.control, false);
    }
    groups_[index].locked = reading.locked;
}

// A click on a radio button, even the checked one, marks its group changed.
bool CDevicePage::Choose(int control) {
    for (std::size_t i = 0; i < layout_.groups.size(); ++i) {
        for (const RadioChoice& choice : layout_.groups[i].choices) {
            if (choice.control != control) continue;
            if (!groups_[i].locked) {
                groups_[i].value = choice.value;
                groups_[i].changed = true;
                OnChoice(control);
            }
            return true;
        }
    }
    return false;
}

bool CDevicePage::OnCommand(int id, int code, HWND) {
    if (id == ID_WHATS_THIS) {
        ShowWhatsThis();
        return true;
    }
    if (code == CBN_SELCHANGE) {
        for (const DropDownList& list : layout_.lists) {
            if (list.control != id) continue;
            OnListChange(id);
            return true;
        }
        return false;
    }
    if (code != BN_CLICKED) return false;
    if (Choose(id)) return true;
    for (const ControlPanelButton& panel : layout_.controlPanels) {
        if (panel.control == id) {
            context_.shell.StartProgram(panel.commandLine);
            return true;
        }
    }
    return false;
}

void CDevicePage::OnOK() {
    bool written = false;
    for (std::size_t i = 0; i < layout_.groups.size(); ++i) {
        if (!groups_[i].changed) continue;
        layout_.groups[i].write(groups_[i].value);
        groups_[i].changed = false;
        written = true;
    }
    if (WriteMore()) written = true;
    if (written && layout_.restartPrompt && context_.shell.ConfirmRestart(hwnd())) context_.shell.RestartWindows();
    EndDialog(hwnd(), IDOK);
}

bool CDevicePage::OnContextMenu(HWND, POINT screen) {
    // From the keyboard (Shift+F10) the position is -1, -1: the cursor's.
    if (screen.x == -1 && screen.y == -1) GetCursorPos(&screen);
    lastRightClick_ = screen;
    TrackWhatsThisMenu(hwnd(), context_.instance, kWhatsThisMenu, screen);
    return true;
}

void CDevicePage::ShowWhatsThis() {
    ShowProgramHelp(context_, hwnd(), HELP_CONTEXTPOPUP,
                    HelpContextAt(hwnd(), lastRightClick_, templateId(), kHelpContexts));
}

bool CDevicePage::OnHelp(const HELPINFO& info) {
    // F1 in the What's This menu asks about the spot the menu was opened for.
    const DWORD helpContext =
        info.iContextType == HELPINFO_MENUITEM
            ? HelpContextAt(hwnd(), lastRightClick_, templateId(), kHelpContexts)
            : HelpContextOfItem(hwnd(), static_cast<HWND>(info.hItemHandle), templateId(), kHelpContexts);
    ShowProgramHelp(context_, hwnd(), HELP_CONTEXTPOPUP, helpContext);
    return true;
}
