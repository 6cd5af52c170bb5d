#include "config_utility/shell/restart_prompt.h"

#include "common/win32/control_text.h"
#include "common/win32/load_string.h"
#include "resources/merovant/resource.h"

namespace {

constexpr ControlText kTexts[] = {
    {IDC_RESTART_REASON, IDS_RESTART_REASON},
    {IDC_RESTART_QUESTION, IDS_RESTART_QUESTION},
    {IDOK, IDS_OK},
    {IDCANCEL, IDS_CANCEL},
};

}  // namespace

CRestartPrompt::CRestartPrompt() : CDialog(IDD_RESTART_PROMPT) {}

BOOL CRestartPrompt::OnInitDialog() {
    SetWindowTextA(hwnd(), LoadStr(IDS_RESTART_CAPTION).c_str());
    SetControlTexts(hwnd(), kTexts);
    return TRUE;
}
