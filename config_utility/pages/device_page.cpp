#include "config_utility/pages/device_page.h"

#include "common/win32/controls.h"
#include "common/win32/load_string.h"
#include "common/win32/unique_handle.h"
#include "resources/merovant/resource.h"

CDevicePage::CDevicePage(MerovantContext& context, const DevicePageLayout& layout)
    : CDialog(layout.templateId), context_(context), layout_(layout), groups_(layout.groups.size()) {}

BOOL CDevicePage::OnInitDialog() {
    SetWindowTextA(hwnd(), LoadStr(layout_.caption).c_str());
    for (const ControlText& text : layout_.texts) SetItemText(hwnd(), text.control, LoadStr(text.text).c_str());
    SetItemText(hwnd(), IDOK, LoadStr(IDS_OK).c_str());
    SetItemText(hwnd(), IDCANCEL, LoadStr(IDS_CANCEL).c_str());
    for (const DropDownList& list : layout_.lists) {
        SendDlgItemMessageA(hwnd(), list.control, CB_RESETCONTENT, 0, 0);
        for (const ListEntry& entry : list.entries) AddListEntry(list.control, LoadStr(entry.text), entry.value);
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

void CDevicePage::AddListEntry(int control, const std::string& text, std::uint32_t value) {
    const LRESULT index = SendDlgItemMessageA(hwnd(), control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    if (index >= 0) SendDlgItemMessageA(hwnd(), control, CB_SETITEMDATA, index, value);
}

bool CDevicePage::SelectListValue(int control, std::uint32_t value) {
    const LRESULT count = SendDlgItemMessageA(hwnd(), control, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        if (static_cast<std::uint32_t>(SendDlgItemMessageA(hwnd(), control, CB_GETITEMDATA, i, 0)) != value) continue;
        SendDlgItemMessageA(hwnd(), control, CB_SETCURSEL, i, 0);
        return true;
    }
    SendDlgItemMessageA(hwnd(), control, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    return false;
}

bool CDevicePage::SelectedListValue(int control, std::uint32_t& value) const {
    const LRESULT index = SendDlgItemMessageA(hwnd(), control, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR) return false;
    value = static_cast<std::uint32_t>(SendDlgItemMessageA(hwnd(), control, CB_GETITEMDATA, index, 0));
    return true;
}

bool CDevicePage::OnContextMenu(HWND, POINT screen) {
    // From the keyboard (Shift+F10) the position is -1, -1: the cursor's.
    if (screen.x == -1 && screen.y == -1) GetCursorPos(&screen);
    lastRightClick_ = screen;
    UniqueMenu menu(LoadMenuA(context_.instance, MAKEINTRESOURCEA(IDR_WHATS_THIS)));
    HMENU popup = menu ? GetSubMenu(menu.get(), 0) : nullptr;
    if (popup == nullptr) return true;
    const std::string text = LoadStr(IDS_WHATS_THIS);
    ModifyMenuA(popup, ID_WHATS_THIS, MF_BYCOMMAND | MF_STRING | MF_ENABLED, ID_WHATS_THIS, text.c_str());
    TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_RIGHTBUTTON, screen.x, screen.y, 0, hwnd(), nullptr);
    return true;
}

namespace {

bool IsGroupFrame(HWND control) {
    char name[16];
    if (GetClassNameA(control, name, sizeof name) == 0 || lstrcmpiA(name, "Button") != 0) return false;
    return (GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
}

// The control (shown in the template) under a screen point, enabled or not. A group frame
// counts only where none of the controls it surrounds is.
HWND ControlAt(HWND page, POINT screen) {
    HWND frame = nullptr;
    for (HWND child = GetWindow(page, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT bounds;
        if (!(GetWindowLongA(child, GWL_STYLE) & WS_VISIBLE) || !GetWindowRect(child, &bounds) || !PtInRect(&bounds, screen)) continue;
        if (!IsGroupFrame(child)) return child;
        if (frame == nullptr) frame = child;
    }
    return frame;
}

}  // namespace

DWORD CDevicePage::HelpContextAt(POINT screen) const {
    // An unnamed control (a frame or label with id -1) counts as the page.
    HWND control = ControlAt(hwnd(), screen);
    const int id = control != nullptr ? GetDlgCtrlID(control) : -1;
    if (id != -1 && id != 0xFFFF)
        return HELP_CONTEXT_CONTROL_BASE + static_cast<DWORD>(id);
    return HELP_CONTEXT_PAGE_BASE + static_cast<DWORD>(layout_.templateId);
}

void CDevicePage::ShowWhatsThis() {
    char helpFile[MAX_PATH];
    if (!OwnHelpFile(helpFile)) return;
    context_.shell.ShowPopupHelp(hwnd(), helpFile, HelpContextAt(lastRightClick_));
}
