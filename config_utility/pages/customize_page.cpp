#include "config_utility/pages/customize_page.h"

#include <cstring>
#include <string>

#include "common/win32/configuration_key.h"
#include "common/win32/controls.h"
#include "common/win32/load_string.h"
#include "common/win32/unique_handle.h"
#include "config_utility/pages/installed_program.h"
#include "config_utility/pages/startup_shortcut.h"
#include "resources/merovant/resource.h"

namespace {

// One program the page starts and ends.
struct TrayProgram {
    int control;
    const char* wantedValue;   // "1" or "0" in the shared key
    UINT shortcutName;         // + ".lnk" in the Startup folder
    UINT description;
    const char* commandValue;  // its command line in the shared key
    UINT cannotStart;          // the message when that line starts nothing
    UINT windowTitle;
    bool trayLauncher;         // ended by WM_DESTROY and its process; else WM_CLOSE
};

constexpr TrayProgram kPrograms[CCustomizePage::kRows] = {
    {IDC_TRAY_LAUNCHER_ICON, "CUTray", IDS_TRAY_LAUNCHER_SHORTCUT, IDS_TRAY_LAUNCHER_DESCRIPTION, "TaskBarPath",
     IDS_TRAY_LAUNCHER_UNUSABLE, IDS_TRAY_LAUNCHER_WINDOW, true},
    {IDC_FUEL_GAUGE_ICON, "FGTray", IDS_FUEL_GAUGE_SHORTCUT, IDS_FUEL_GAUGE_DESCRIPTION, "FuelPath",
     IDS_FUEL_GAUGE_UNUSABLE, IDS_FUEL_GAUGE_WINDOW, false},
};

constexpr ControlText kTexts[] = {
    {IDC_TRAY_LAUNCHER_ICON, IDS_TRAY_LAUNCHER_ICON},
    {IDC_FUEL_GAUGE_ICON, IDS_FUEL_GAUGE_ICON},
};

constexpr DevicePageLayout kLayout{IDD_CUSTOMIZE, IDS_CUSTOMIZE_CAPTION, kTexts, {}, {}, false};

// The tray launcher's time to wind down after WM_DESTROY.
constexpr DWORD kWindDownMilliseconds = 100;

// The shortcut's path in the Startup folder; false when the folder is unknown
// or the path would not fit.
bool ShortcutPath(UINT name, std::string& path, bool& exists) {
    char folder[kConfigurationValueSize];
    if (!ReadCommonStartupFolder(folder)) return false;
    const std::string file = LoadStr(name) + ".lnk";
    path = std::string(folder) + "\\" + file;
    if (path.size() >= MAX_PATH) return false;
    char found[MAX_PATH];
    char* part = nullptr;
    const DWORD length = SearchPathA(folder, file.c_str(), nullptr, sizeof found, found, &part);
    exists = length > 0 && length < sizeof found;
    return true;
}

}  // namespace

CCustomizePage::CCustomizePage(MerovantContext& context) : CDevicePage(context, kLayout) {}

void CCustomizePage::AfterRead() {
    ConfigurationKey key;
    if (!key.Open()) return;
    for (int row = 0; row < kRows; ++row) {
        char value[kConfigurationValueSize];
        wanted_[row] = key.ReadString(kPrograms[row].wantedValue, value) && std::strcmp(value, "1") == 0;
        CheckItem(hwnd(), kPrograms[row].control, wanted_[row]);
    }
}

bool CCustomizePage::OnCommand(int id, int code, HWND control) {
    for (int row = 0; row < kRows; ++row) {
        if (id != kPrograms[row].control || code != BN_CLICKED) continue;
        wanted_[row] = IsItemChecked(hwnd(), id);
        changed_[row] = true;
        return true;
    }
    return CDevicePage::OnCommand(id, code, control);
}

bool CCustomizePage::WriteMore() {
    ConfigurationKey key;
    const bool keyOpen = key.Open();
    for (int row = 0; row < kRows; ++row) {
        if (!changed_[row]) continue;
        changed_[row] = false;
        const TrayProgram& program = kPrograms[row];
        // Without the Startup folder the shortcut is left alone; the rest is done.
        std::string shortcut;
        bool exists = false;
        const bool folderKnown = ShortcutPath(program.shortcutName, shortcut, exists);
        if (wanted_[row]) {
            char command[kConfigurationValueSize] = "";
            if (keyOpen) key.ReadString(program.commandValue, command);
            // A program that cannot be started is not recorded as wanted, and
            // gets no shortcut that would start nothing at logon.
            if (!StartInstalledProgram(context(), hwnd(), command, program.cannotStart)) continue;
            if (keyOpen) key.WriteString(program.wantedValue, "1");
            if (folderKnown && !exists)
                CreateShortcut(shortcut.c_str(), command, LoadStr(program.description).c_str());
            continue;
        }
        if (keyOpen) key.WriteString(program.wantedValue, "0");
        if (folderKnown && exists) DeleteFileA(shortcut.c_str());
        HWND window = FindWindowA(nullptr, LoadStr(program.windowTitle).c_str());
        if (window == nullptr) continue;
        if (program.trayLauncher)
            EndTrayLauncher(window);
        else
            PostMessageA(window, WM_CLOSE, 0, 0);
    }
    return false;
}

// The tray launcher ends on WM_DESTROY; one that is still there after its
// time to wind down is ended. Its process is the one that owns the window:
// TaskBarId may be stale (the id of another program by now) or unreadable,
// and is not needed. The process is opened before WM_DESTROY goes, so that
// the handle holds that process whatever happens to its id afterwards.
void CCustomizePage::EndTrayLauncher(HWND window) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == 0 || owner == GetCurrentProcessId()) return;
    UniqueKernelHandle process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, owner));
    PostMessageA(window, WM_DESTROY, 0, 0);
    if (!process) {
        Sleep(kWindDownMilliseconds);
        if (IsWindow(window)) context().shell.ShowMessageBox(hwnd(), LoadStr(IDS_CANNOT_OPEN_PROCESS), MB_OK);
        return;
    }
    if (WaitForSingleObject(process.get(), kWindDownMilliseconds) == WAIT_OBJECT_0) return;
    if (!TerminateProcess(process.get(), 0))
        context().shell.ShowMessageBox(hwnd(), LoadStr(IDS_CANNOT_END_PROCESS), MB_OK);
}
