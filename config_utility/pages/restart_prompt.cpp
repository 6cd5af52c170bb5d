#include "config_utility/pages/restart_prompt.h"

#include "common/win32/controls.h"
#include "common/win32/load_string.h"
#include "resources/merovant/resource.h"

CRestartPrompt::CRestartPrompt() : CDialog(IDD_RESTART_PROMPT) {}

BOOL CRestartPrompt::OnInitDialog() {
    SetWindowTextA(hwnd(), LoadStr(IDS_RESTART_CAPTION).c_str());
    SetItemText(hwnd(), IDC_RESTART_REASON, LoadStr(IDS_RESTART_REASON).c_str());
    SetItemText(hwnd(), IDC_RESTART_QUESTION, LoadStr(IDS_RESTART_QUESTION).c_str());
    SetItemText(hwnd(), IDOK, LoadStr(IDS_OK).c_str());
    SetItemText(hwnd(), IDCANCEL, LoadStr(IDS_CANCEL).c_str());
    return TRUE;
}
